#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace dorvanta {

// Calendar days counted from 1 January 1970, so that the difference of two
// is the number of days between them.
using DayNumber = std::int32_t;

// The day of an ad's `InsertDate`: dd.mm.yyyy, dd/mm/yyyy or yyyy-mm-dd, with
// two-digit day and month and a real calendar date (no 31 April, 29 February
// only in a leap year); spaces around it are allowed. Nothing for anything
// else: such an ad counts as old.
std::optional<DayNumber> ParseAdDate(std::string_view text);

// The day number of a calendar date; the caller has checked that it exists.
DayNumber DayNumberOf(int year, unsigned month, unsigned day);

} // namespace dorvanta
