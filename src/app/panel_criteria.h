#pragma once

#include "search/company_search.h"
#include "search/opportunity_search.h"

#include <string>
#include <string_view>
#include <vector>

// The rules that turn what the two search panels show into the codes the
// searches take: a box holding its placeholder counts as empty, the first
// entry of a drop-down list ("All") means no criterion, the type letter is
// read from the type box's text. Texts are Windows-1250 bytes.
namespace dorvanta {

// What the company panel shows when a search starts.
struct CompanyPanelChoice
{
    std::string nameBox;                     // text of the name box
    int countyIndex = 0;                     // 0 = "All"
    std::string countyName;                  // text of the chosen county entry
    int typeIndex = 0;                       // 0 = "All"
    std::string typeEntry;                   // text of the chosen type entry, such as "Trader (T)"
    int domainIndex = 0;                     // 0 = "All"
    int subdomainIndex = 0;                  // 0 = "All"
    std::vector<std::string> subdomainCodes; // the codes behind the subdomain entries after "All"
};

CompanyCriteria MakeCompanyCriteria(const CompanyPanelChoice& choice);

// What the opportunity panel shows when a search starts.
struct OpportunityPanelChoice
{
    std::string keywordBox;
    int countyIndex = 0; // 0 = "All"
    std::string countyName;
    int domainIndex = 0; // 0 = "All", 1 to 10 the group lines in letter order
    int typeIndex = 0;   // 0 = "All", else the digit of the ad type
    int dateIndex = 0;   // 0 = any date, 1 = the last 7 days, 2 = the last 30
    DayNumber today = 0; // the day the date filter counts back from
};

OpportunityCriteria MakeOpportunityCriteria(const OpportunityPanelChoice& choice);

// The letter of a type box entry: the character before its last one, lower-cased
// ("Trader (T)" gives t). Empty for texts shorter than two characters.
std::string TypeLetterOfBoxEntry(std::string_view entry);

} // namespace dorvanta
