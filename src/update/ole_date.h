#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace dorvanta {

// A local calendar date and time of day, to the second.
struct LocalDateTime
{
    int year = 0;
    int month = 0; // 1-12
    int day = 0;   // 1-31
    int hour = 0;  // 0-23
    int minute = 0;
    int second = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// OLE Automation dates: days since 1899-12-30 00:00, the fraction being the
// time of day. Before that day the value is sign-magnitude: -1.25 is
// 1899-12-29 06:00 (the day counts backwards, the time still forwards).
// The representable range is the years 100 to 9999.

// Throws std::invalid_argument for a date or time that does not exist
// (month 13, 31 April, 29 February of a common year, hour 24, ...) or a year
// outside 100-9999.
double ToOleDate(const LocalDateTime& when);

// nullopt for NaN, infinities and values outside the years 100-9999. The time
// is rounded to the millisecond, then the milliseconds are dropped.
std::optional<LocalDateTime> FromOleDate(double value);

// The stored form: the IEEE-754 double in 8 bytes, little-endian.
std::vector<std::uint8_t> OleDateBytes(double value);
// nullopt unless `bytes` holds exactly 8 bytes. The result may still be NaN or
// out of range; FromOleDate tells.
std::optional<double> OleDateFromBytes(const std::vector<std::uint8_t>& bytes);

} // namespace dorvanta
