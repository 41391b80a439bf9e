#include "import/register_activity.h"

#include "data/resources.h"
#include "data/text.h"

#include <charconv>

namespace dorvanta {

namespace {

constexpr std::string_view kResourceName = "CAEN_CATEGORIES";

// The type letter a division gives when its line names none.
char TypeOfDivision(std::string_view key)
{
    int division = 0;
    std::from_chars(key.data(), key.data() + 2, division);
    if (division <= 39) {
        return 'p';
    }
    if (division >= 45 && division <= 47) {
        return 't';
    }
    return division == 94 ? 'o' : 's';
}

bool AllDigits(std::string_view text)
{
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return !text.empty();
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

RegisterActivityTable::RegisterActivityTable(std::string_view text)
{
    for (const std::string& line : SplitLines(text)) {
        const std::string_view view = Trimmed(line);
        if (view.empty() || view.front() == '#') {
            continue;
        }
        std::vector<std::string_view> parts;
        std::size_t start = 0;
        while (true) {
            const std::size_t comma = view.find(',', start);
            parts.push_back(Trimmed(view.substr(start, comma - start)));
            if (comma == std::string_view::npos) {
                break;
            }
            start = comma + 1;
        }
        if (parts.size() < 3 || (parts[0] != "2" && parts[0] != "3") || !AllDigits(parts[1]) ||
            parts[1].size() < 2 || parts[1].size() > 4) {
            continue; // not a line of the table
        }
        Target target;
        if (parts[2] != "-") {
            target.category = std::string(parts[2]);
            target.type =
                parts.size() > 3 && parts[3].size() == 1 ? ToLowerAZ(parts[3][0]) : TypeOfDivision(parts[1]);
            target.entry = ToLowerAZ(target.category) + '*' + target.type;
        }
        (parts[0] == "3" ? rev3_ : rev2_)[std::string(parts[1])] = std::move(target);
    }
    for (const int edition : {2, 3}) {
        const auto& keys = Keys(edition);
        std::vector<const Target*>& classes = edition == 3 ? classes3_ : classes2_;
        classes.assign(10000, nullptr);
        char digits[5] = {};
        for (int code = 0; code < 10000; ++code) {
            std::to_chars(digits, digits + 5, 10000 + code); // "1dddd": the class behind the 1
            std::string key(digits + 1, 4);
            // The most specific key: the class, then its group, then its division.
            for (std::size_t length = 4; length >= 2; --length) {
                key.resize(length);
                const auto found = keys.find(key);
                if (found != keys.end()) {
                    // "-" stops here: no category, whatever a wider key says.
                    classes[code] = found->second.entry.empty() ? nullptr : &found->second;
                    break;
                }
            }
        }
    }
}

const RegisterActivityTable& RegisterActivityTable::Builtin()
{
    static const RegisterActivityTable table(FindResource(kResourceName).value_or(std::string_view{}));
    return table;
}

std::string RegisterActivityTable::EntryOf(int edition, std::string_view classCode) const
{
    if (edition != 2 && edition != 3) {
        return {};
    }
    classCode = Trimmed(classCode);
    if (!AllDigits(classCode) || classCode.size() < 3 || classCode.size() > 4) {
        return {};
    }
    int code = 0; // a class of three digits lost its leading zero
    std::from_chars(classCode.data(), classCode.data() + classCode.size(), code);
    const Target* target = (edition == 3 ? classes3_ : classes2_)[static_cast<std::size_t>(code)];
    return target ? target->entry : std::string();
}

const std::unordered_map<std::string, RegisterActivityTable::Target>&
RegisterActivityTable::Keys(int edition) const
{
    return edition == 3 ? rev3_ : rev2_;
}

} // namespace dorvanta
