#include "import/record_import.h"

#include "data/messages.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/text.h"
#include "import/import_common.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <utility>

namespace dorvanta {

namespace fs = std::filesystem;
using import_detail::GaugeValue;
using import_detail::LockForWriting;

namespace {

// Cuts the backtick-ended fields at the start of `line` into `fields`, in
// order, and returns how many it found. Text after the last one is ignored.
std::size_t SplitBacktickFields(std::string_view line, std::span<std::string_view> fields)
{
    std::size_t found = 0;
    for (; found < fields.size(); ++found) {
        const std::size_t end = line.find('`');
        if (end == std::string_view::npos) {
            break;
        }
        fields[found] = line.substr(0, end);
        line.remove_prefix(end + 1);
    }
    return found;
}

} // namespace

std::array<std::string, kOpportunityLineFields> SplitOpportunityLine(std::string_view line)
{
    std::array<std::string_view, kOpportunityLineFields> views;
    SplitBacktickFields(line, views);
    std::array<std::string, kOpportunityLineFields> fields;
    std::copy(views.begin(), views.end(), fields.begin());
    return fields;
}

CompanyLine ParseCompanyLine(std::string_view line)
{
    CompanyLine parsed;
    if (line.size() < 10 || (line[0] != '!' && line[0] != '@')) {
        return parsed;
    }
    if (SplitBacktickFields(line.substr(1), parsed.fields) < kCompanyLineFields) {
        return CompanyLine{};
    }
    parsed.valid = true;
    parsed.blank = line[0] == '@';
    return parsed;
}

std::string CompanyNameKey(std::string_view name)
{
    std::string key;
    CompanyNameKey(name, key);
    return key;
}

void CompanyNameKey(std::string_view name, std::string& key)
{
    key.assign(name.substr(0, company_layout::kFields[company_layout::Company].maxLength));
    for (char& c : key) {
        c = ToUpperAZ(c);
    }
}

} // namespace dorvanta
