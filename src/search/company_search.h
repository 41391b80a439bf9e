#pragma once

#include "data/language.h"
#include "search/search_result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dorvanta {

// Criteria of a company search, in codes, worked out once before the file is
// read. An empty member means no criterion of that kind.
struct CompanyCriteria
{
    std::string nameText;                   // as typed, not trimmed; case does not count
    std::string countyCode;                 // stored county code ("CJ"), compared exactly
    std::string typeLetter;                 // one company type letter ("t"), any case
    std::vector<std::string> categoryCodes; // category codes ("a.a.1"), any case

    // The advanced criteria (see company_words.h for their rules).
    std::string town;             // words of the address
    std::string phone;            // digits of the mobile, phone or fax numbers
    std::string representative;   // words of the representative
    std::string fiscalCode;       // the CUI, with or without RO
    std::string descriptionWords; // words of the description

    // The name and word tests compare base letters.
    bool ignoreDiacritics = false;
};

// Reads database.db of `folder` from the first record to the last and lists the
// companies that meet the criteria, up to kResultLimit rows, in file order.
SearchResult SearchCompanies(const std::filesystem::path& folder, const CompanyCriteria& criteria,
                             Language language);

// The same search with the file read in exactly `parts` parts at once (0: as
// many as suit the file and the machine); for tests of the parts' seams.
SearchResult SearchCompaniesInParts(const std::filesystem::path& folder, const CompanyCriteria& criteria,
                                    Language language, std::size_t parts);

} // namespace dorvanta
