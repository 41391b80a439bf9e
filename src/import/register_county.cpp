#include "import/register_county.h"

#include "data/code_tables.h"
#include "data/letter_case.h"

#include <array>
#include <vector>

namespace dorvanta {

namespace {

// The letters and digits of a text, capital and without diacritics; each run
// of anything else (spaces, hyphens, dots) becomes one space between words.
std::string Words(std::string_view text1250)
{
    std::string words;
    bool gap = false;
    for (const char c : text1250) {
        const char letter = ToUpper(BaseLetter(c));
        if ((letter >= 'A' && letter <= 'Z') || (letter >= '0' && letter <= '9')) {
            if (gap && !words.empty()) {
                words += ' ';
            }
            words += letter;
            gap = false;
        } else {
            gap = true;
        }
    }
    return words;
}

std::string WithoutSpaces(std::string_view words)
{
    std::string joined;
    for (const char c : words) {
        if (c != ' ') {
            joined += c;
        }
    }
    return joined;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// Older spellings of county names (â written î before 1993).
struct Alias
{
    std::string_view name;
    std::string_view code;
};
constexpr std::array<Alias, 2> kAliases = {{{"VILCEA", "VL"}, {"DIMBOVITA", "DB"}}};

bool IsRomania(std::string_view country1250)
{
    const std::string words = Words(country1250);
    return words.empty() || words == "ROMANIA" || words == "RO" || words == "ROU";
}

} // namespace

std::string RegisterCountyCode(std::string_view adrJudet1250, std::string_view adrTara1250)
{
    if (!IsRomania(adrTara1250)) {
        return "OU";
    }
    std::string words = Words(adrJudet1250);
    for (const std::string_view prefix : {"JUDETUL ", "JUDET ", "JUD "}) {
        if (StartsWith(words, prefix)) {
            words.erase(0, prefix.size());
            break;
        }
    }
    // Bucharest is written as the city, the municipality or one of its sectors.
    if (StartsWith(words, "SECTOR") || words.find("BUCURESTI") != std::string::npos ||
        words.find("BUCHAREST") != std::string::npos) {
        return "B";
    }
    const std::string joined = WithoutSpaces(words);
    if (joined.empty()) {
        return {};
    }
    // The names without spaces, so that "Satu-Mare", "Satu Mare" and
    // "SATUMARE" all match.
    struct Key
    {
        std::string joined;
        std::string_view code;
    };
    static const std::vector<Key> keys = [] {
        std::vector<Key> list;
        for (const County& county : kCounties) {
            if (county.code != "OU") {
                list.push_back({WithoutSpaces(Words(county.name)), county.code});
            }
        }
        return list;
    }();
    for (const Key& key : keys) {
        if (key.joined == joined) {
            return std::string(key.code);
        }
    }
    for (const Alias& alias : kAliases) {
        if (alias.name == joined) {
            return std::string(alias.code);
        }
    }
    return {};
}

} // namespace dorvanta
