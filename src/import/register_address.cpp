#include "import/register_address.h"

#include "data/letter_case.h"
#include "import/register_text.h"

namespace dorvanta {

namespace {

constexpr std::size_t kAddressWidth = 90;

// The text folded for a look at its words: capital, without diacritics.
std::string Folded(std::string_view text1250)
{
    std::string folded(text1250);
    for (char& c : folded) {
        c = ToUpper(BaseLetter(c));
    }
    return folded;
}

// Whether a field says anything: the register writes "-" or "." for none.
bool HasContent(std::string_view text1250)
{
    for (const char c : text1250) {
        const char letter = ToUpper(BaseLetter(c));
        if ((letter >= 'A' && letter <= 'Z') || (letter >= '0' && letter <= '9')) {
            return true;
        }
    }
    return false;
}

// "nr. 10" from "10"; a value that already starts with its abbreviation
// ("Nr. 10", "bl.A1") is kept as written.
// The number follows the street after a space, every other part after a comma.
void AddPart(std::string& address, std::string_view abbreviation, std::string_view utf8,
             std::string_view separator = ", ")
{
    const std::string value = RegisterTextTo1250(utf8);
    if (!HasContent(value)) {
        return;
    }
    if (!address.empty()) {
        address += separator;
    }
    const std::string folded = Folded(value);
    const std::string word = Folded(abbreviation.substr(0, abbreviation.find('.')));
    if (abbreviation.empty() || folded.compare(0, word.size(), word) == 0) {
        address += value;
    } else {
        address += abbreviation;
        address += ' ';
        address += value;
    }
}

} // namespace

std::string RegisterAddress(const RegisterAddressParts& parts)
{
    std::string address;
    AddPart(address, "", parts.street);
    AddPart(address, "nr.", parts.number, " ");
    AddPart(address, "bl.", parts.block);
    AddPart(address, "sc.", parts.staircase);
    AddPart(address, "et.", parts.floor);
    AddPart(address, "ap.", parts.flat);

    // Bucharest's localities usually name their sector ("București Sectorul 1");
    // the sector field is added only when the locality does not.
    std::string place = RegisterTextTo1250(parts.locality);
    if (!HasContent(place)) {
        place.clear();
    }
    const std::string sector = RegisterTextTo1250(parts.sector);
    if (HasContent(sector) && Folded(place).find("SECTOR") == std::string::npos) {
        if (!place.empty()) {
            place += ' ';
        }
        if (Folded(sector).find("SECTOR") == std::string::npos) {
            place += "Sectorul ";
        }
        place += sector;
    }
    if (!place.empty()) {
        if (!address.empty()) {
            address += ", ";
        }
        address += place;
    }
    AddPart(address, "", parts.postalCode);
    return CutAtWord(address, kAddressWidth);
}

} // namespace dorvanta
