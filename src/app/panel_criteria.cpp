#include "app/panel_criteria.h"

#include "app/placeholders.h"
#include "data/code_tables.h"
#include "data/domain_tree.h"
#include "data/text.h"

#include <iterator>

namespace dorvanta {

CompanyCriteria MakeCompanyCriteria(const CompanyPanelChoice& choice)
{
    CompanyCriteria criteria;
    if (!IsCompanyPlaceholder(choice.nameBox)) {
        criteria.nameText = choice.nameBox;
    }
    if (choice.countyIndex > 0) {
        criteria.countyCode = CountyCode(choice.countyName);
    }
    if (choice.typeIndex > 0) {
        criteria.typeLetter = TypeLetterOfBoxEntry(choice.typeEntry);
    }
    if (choice.subdomainIndex > 0) {
        const auto k = static_cast<std::size_t>(choice.subdomainIndex - 1);
        if (k < choice.subdomainCodes.size()) {
            criteria.categoryCodes.push_back(choice.subdomainCodes[k]);
        }
    } else if (choice.domainIndex > 0) {
        criteria.categoryCodes = choice.subdomainCodes;
    }
    return criteria;
}

OpportunityCriteria MakeOpportunityCriteria(const OpportunityPanelChoice& choice)
{
    OpportunityCriteria criteria;
    if (!IsKeywordPlaceholder(choice.keywordBox)) {
        criteria.keyword = choice.keywordBox;
    }
    if (choice.countyIndex > 0) {
        criteria.countyCode = CountyCode(choice.countyName);
    }
    if (choice.domainIndex > 0) {
        criteria.domainLetter = std::string(1, GroupLetter(static_cast<std::size_t>(choice.domainIndex - 1)));
    }
    if (choice.typeIndex > 0) {
        // The type box lists "All" first, so an entry's position is its digit.
        criteria.typeDigit = std::to_string(choice.typeIndex);
    }
    // The date box: "Any date", "Last 7 days", "Last 30 days".
    constexpr int kDays[] = {0, 7, 30};
    if (choice.dateIndex > 0 && choice.dateIndex < static_cast<int>(std::size(kDays))) {
        criteria.withinDays = kDays[choice.dateIndex];
        criteria.today = choice.today;
    }
    return criteria;
}

std::string TypeLetterOfBoxEntry(std::string_view entry)
{
    if (entry.size() < 2) {
        return {};
    }
    return std::string(1, ToLowerAZ(entry[entry.size() - 2]));
}

} // namespace dorvanta
