#include "publisher/days.h"

#include <cstdio>

namespace dorvanta::publisher {

namespace {

// Days since 1970-01-01 of a civil date (Howard Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp + (mp < 10 ? 3 : -9);
    y += m <= 2;
}

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// 01:00 UTC on the last Sunday of `month` (31 days long: March or October).
std::int64_t LastSundayOneUtc(std::int64_t year, unsigned month)
{
    const std::int64_t last = DaysFromCivil(year, month, 31);
    const std::int64_t weekday = (last + 4) % 7; // 1970-01-01 was a Thursday; 0 is Sunday
    return (last - weekday) * 86400 + 3600;
}

} // namespace

std::optional<std::int32_t> ParseDay(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    int parts[3] = {0, 0, 0};
    const std::size_t starts[3] = {0, 5, 8};
    const std::size_t lengths[3] = {4, 2, 2};
    for (int i = 0; i < 3; ++i) {
        for (std::size_t k = 0; k < lengths[i]; ++k) {
            const char c = text[starts[i] + k];
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
            parts[i] = parts[i] * 10 + (c - '0');
        }
    }
    const int year = parts[0], month = parts[1], day = parts[2];
    static constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1000 || month < 1 || month > 12 || day < 1) {
        return std::nullopt;
    }
    const int monthDays = kMonthDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
    if (day > monthDays) {
        return std::nullopt;
    }
    return year * 10000 + month * 100 + day;
}

std::string FormatDay(std::int32_t day)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day / 10000, day / 100 % 100, day % 100);
    return text;
}

std::int32_t AddDays(std::int32_t day, int count)
{
    std::int64_t year = 0;
    unsigned month = 0, date = 0;
    CivilFromDays(DaysFromCivil(day / 10000, day / 100 % 100, day % 100) + count, year, month, date);
    return static_cast<std::int32_t>(year * 10000 + month * 100 + date);
}

std::int32_t BucharestDay(std::time_t utc)
{
    const std::int64_t seconds = static_cast<std::int64_t>(utc);
    std::int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays((seconds >= 0 ? seconds : seconds - 86399) / 86400, year, month, day);
    const bool summer = seconds >= LastSundayOneUtc(year, 3) && seconds < LastSundayOneUtc(year, 10);
    const std::int64_t local = seconds + (summer ? 3 : 2) * 3600;
    CivilFromDays((local >= 0 ? local : local - 86399) / 86400, year, month, day);
    return static_cast<std::int32_t>(year * 10000 + month * 100 + day);
}

} // namespace dorvanta::publisher
