#pragma once

#include "data/ad_date.h"
#include "data/language.h"
#include "search/search_result.h"

#include <filesystem>
#include <string>

namespace dorvanta {

// Criteria of an opportunity search, in codes; an empty member means no criterion.
struct OpportunityCriteria
{
    std::string keyword;      // as typed, not trimmed; case does not count
    std::string countyCode;   // stored county code ("CJ"), compared exactly
    std::string domainLetter; // group letter "a" to "j", any case
    std::string typeDigit;    // "1" offers, "2" requests, "3" services

    // The keyword test compares base letters.
    bool ignoreDiacritics = false;

    // Only the ads of the last `withinDays` days, today among them (7: today
    // and the six days before); 0 means any date. An ad whose date does not
    // parse counts as old; one dated after today (a clock ahead) passes.
    int withinDays = 0;
    // The caller's today: the search never reads the clock.
    DayNumber today = 0;
};

// Reads bursa.db of `folder` and lists the ads that meet the criteria: the
// first kResultLimit matches in file order, the latest of them first.
// A bursa.db that exists but cannot be opened, or fails to be read, gives
// the text to show in errorMessage (the rows found before a read failure stay).
SearchResult SearchOpportunities(const std::filesystem::path& folder, const OpportunityCriteria& criteria,
                                 Language language);

} // namespace dorvanta
