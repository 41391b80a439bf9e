#pragma once

#include "data/language.h"
#include "search/search_result.h"

#include <filesystem>
#include <string>

namespace dorvanta {

// Criteria of an opportunity search; an empty member means no criterion.
struct OpportunityCriteria
{
    std::string keyword;      // lower-cased, not trimmed
    std::string countyCode;   // stored county code
    std::string domainLetter; // "a" to "j"
    std::string typeDigit;    // "1" offers, "2" requests, "3" services

    // The keyword test compares base letters.
    bool ignoreDiacritics = false;
};

// What the opportunity panel shows when a search starts.
struct OpportunityPanelChoice
{
    std::string keywordBox; // a placeholder counts as empty
    int countyIndex = 0;    // 0 = "All"
    std::string countyName;
    int domainIndex = 0; // 0 = "All", 1 to 10 the group lines
    int typeIndex = 0;   // 0 = "All", else the digit
};

OpportunityCriteria MakeOpportunityCriteria(const OpportunityPanelChoice& choice);

// Reads bursa.db of `folder` and lists the ads that meet the criteria: the
// first kResultLimit matches in file order, the latest of them first.
// A bursa.db that exists but cannot be opened, or fails to be read, gives
// the text to show in errorMessage (the rows found before a read failure stay).
SearchResult SearchOpportunities(const std::filesystem::path& folder, const OpportunityCriteria& criteria,
                                 Language language);

} // namespace dorvanta
