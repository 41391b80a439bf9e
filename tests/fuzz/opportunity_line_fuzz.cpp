// One line of an ads answer: 13 fields, none holding a backtick, together
// never longer than the line; a field read as a date names the same day
// written the other way.
#include "data/ad_date.h"
#include "import/record_import.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace dorvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    std::size_t total = 0;
    for (const std::string& field : SplitOpportunityLine(line)) {
        if (field.find('`') != std::string::npos) {
            std::abort();
        }
        total += field.size();
        if (const std::optional<DayNumber> day = ParseAdDate(field)) {
            const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{*day}}};
            char iso[32];
            std::snprintf(iso, sizeof iso, "%04d-%02u-%02u", static_cast<int>(date.year()),
                          static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
            if (ParseAdDate(iso) != day) {
                std::abort();
            }
        }
    }
    if (total > line.size()) {
        std::abort();
    }
    return 0;
}
