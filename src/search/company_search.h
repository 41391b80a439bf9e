#pragma once

#include "data/language.h"
#include "search/search_result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dorvanta {

// Criteria of a company search, worked out once before the file is read.
// An empty member means no criterion of that kind.
struct CompanyCriteria
{
    std::string nameText;                   // lower-cased, not trimmed
    std::string countyCode;                 // stored county code
    std::string typeLetter;                 // one lower-case letter
    std::vector<std::string> categoryCodes; // lower-case category codes

    // The name test compares base letters.
    bool ignoreDiacritics = false;
};

// What the company panel shows when a search starts.
struct CompanyPanelChoice
{
    std::string nameBox;                     // text of the name box (a placeholder counts as empty)
    int countyIndex = 0;                     // 0 = "All"
    std::string countyName;                  // text of the chosen county entry
    int typeIndex = 0;                       // 0 = "All"
    std::string typeEntry;                   // text of the chosen type entry, such as "Trader (T)"
    int domainIndex = 0;                     // 0 = "All"
    int subdomainIndex = 0;                  // 0 = "All"
    std::vector<std::string> subdomainCodes; // the codes behind the subdomain entries after "All"
};

CompanyCriteria MakeCompanyCriteria(const CompanyPanelChoice& choice);

// Reads database.db of `folder` from the first record to the last and lists the
// companies that meet the criteria, up to kResultLimit rows, in file order.
SearchResult SearchCompanies(const std::filesystem::path& folder, const CompanyCriteria& criteria,
                             Language language);

// The same search with the file read in exactly `parts` parts at once (0: as
// many as suit the file and the machine); for tests of the parts' seams.
SearchResult SearchCompaniesInParts(const std::filesystem::path& folder, const CompanyCriteria& criteria,
                                    Language language, std::size_t parts);

} // namespace dorvanta
