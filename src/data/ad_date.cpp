#include "data/ad_date.h"

#include <chrono>

namespace dorvanta {

namespace {

// The value of `count` decimal digits at `text[at]`; nothing if any is not a digit.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count)
{
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::string_view TrimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::optional<DayNumber> ParseAdDate(std::string_view text)
{
    text = TrimSpaces(text);
    if (text.size() != 10) {
        return std::nullopt;
    }
    std::optional<int> year;
    std::optional<int> month;
    std::optional<int> day;
    if (text[4] == '-' && text[7] == '-') {
        year = Digits(text, 0, 4);
        month = Digits(text, 5, 2);
        day = Digits(text, 8, 2);
    } else if ((text[2] == '.' || text[2] == '/') && text[5] == text[2]) {
        day = Digits(text, 0, 2);
        month = Digits(text, 3, 2);
        year = Digits(text, 6, 4);
    }
    if (!year || !month || !day || *year == 0) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year(*year),
                                           std::chrono::month(static_cast<unsigned>(*month)),
                                           std::chrono::day(static_cast<unsigned>(*day))};
    if (!date.ok()) {
        return std::nullopt;
    }
    return static_cast<DayNumber>(std::chrono::sys_days(date).time_since_epoch().count());
}

DayNumber DayNumberOf(int year, unsigned month, unsigned day)
{
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month),
                                           std::chrono::day(day)};
    return static_cast<DayNumber>(std::chrono::sys_days(date).time_since_epoch().count());
}

} // namespace dorvanta
