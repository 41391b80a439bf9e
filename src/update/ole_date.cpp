#include "update/ole_date.h"

#include <bit>
#include <cmath>
#include <stdexcept>

namespace dorvanta {
namespace {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct CivilDate
{
    std::int64_t year;
    unsigned month;
    unsigned day;
};

constexpr CivilDate CivilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0);
    return {y, m, d};
}

constexpr std::int64_t kOleEpoch = DaysFromCivil(1899, 12, 30);

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

} // namespace

double ToOleDate(const LocalDateTime& when)
{
    if (when.year < 100 || when.year > 9999 || when.month < 1 || when.month > 12 || when.day < 1 ||
        when.day > DaysInMonth(when.year, when.month) || when.hour < 0 || when.hour > 23 || when.minute < 0 ||
        when.minute > 59 || when.second < 0 || when.second > 59) {
        throw std::invalid_argument("not a valid date and time");
    }
    const std::int64_t days =
        DaysFromCivil(when.year, static_cast<unsigned>(when.month), static_cast<unsigned>(when.day)) -
        kOleEpoch;
    const double fraction = (when.hour * 3600 + when.minute * 60 + when.second) / 86400.0;
    // Before the epoch the time of day is added to the magnitude, not to the signed value.
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

std::optional<LocalDateTime> FromOleDate(double value)
{
    // 0100-01-01 00:00 is -657434.0 and 9999-12-31 is 2958465; anything further out
    // (including NaN, which fails both comparisons) is no date.
    if (!(value > -657435.0 && value < 2958466.0)) {
        return std::nullopt;
    }
    const double wholeDays = std::trunc(value);
    auto milliseconds =
        static_cast<std::int64_t>(std::llround(std::fabs(value - wholeDays) * kMillisecondsPerDay));
    auto days = static_cast<std::int64_t>(wholeDays);
    // The time of day always runs forwards from the date's midnight, so rounding up to
    // 24:00 means the next calendar day on both sides of the epoch.
    if (milliseconds >= kMillisecondsPerDay) {
        milliseconds -= kMillisecondsPerDay;
        ++days;
    }
    const CivilDate date = CivilFromDays(days + kOleEpoch);
    if (date.year < 100 || date.year > 9999) {
        return std::nullopt;
    }
    const auto seconds = static_cast<int>(milliseconds / 1000);
    return LocalDateTime{static_cast<int>(date.year), static_cast<int>(date.month),
                         static_cast<int>(date.day),  seconds / 3600,
                         seconds / 60 % 60,           seconds % 60};
}

std::vector<std::uint8_t> OleDateBytes(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::vector<std::uint8_t> bytes(8);
    for (int i = 0; i < 8; ++i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    return bytes;
}

std::optional<double> OleDateFromBytes(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() != 8) {
        return std::nullopt;
    }
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) {
        bits = (bits << 8) | bytes[static_cast<std::size_t>(i)];
    }
    return std::bit_cast<double>(bits);
}

} // namespace dorvanta
