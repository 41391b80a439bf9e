#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// The days the master dates its changes by: calendar days in Europe/Bucharest,
// held as yyyymmdd numbers so that their order is the order of the numbers.
namespace dorvanta::publisher {

// "YYYY-MM-DD" with a real calendar date (years 1000 to 9999); nothing for
// anything else, a month 13 or a 30 February included.
std::optional<std::int32_t> ParseDay(std::string_view text);

std::string FormatDay(std::int32_t day);

// The day `count` days after `day` (before it for a negative count).
std::int32_t AddDays(std::int32_t day, int count);

// The day in Bucharest at the instant `utc`: UTC+2, and UTC+3 from the last
// Sunday of March 01:00 UTC to the last Sunday of October 01:00 UTC, the
// European rule Romania follows. Computed here so that the server's own
// time zone and the host's time zone data play no part.
std::int32_t BucharestDay(std::time_t utc);

} // namespace dorvanta::publisher
