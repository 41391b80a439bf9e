#pragma once

#include "search/company_search.h"

#include <cstddef>

namespace dorvanta {

// Which of the record tests a search asks for, taken once from its criteria.
struct CompanyFilter
{
    explicit CompanyFilter(const CompanyCriteria& criteria);

    bool county = false;
    bool categories = false;
    char typeLetter = '\0'; // lower case; 0: no type test
    bool words = false;     // any of the word, phone and fiscal-code criteria
};

// The county, category, type and deleted-record tests of the company search,
// written once for every way a record is held: the scan's mapped bytes and the
// column's arrays. `Record` answers, for one record against the criteria it
// was made with: Deleted(), CountyEmpty(), CountyMatches(), and for activity
// entry a (0 to 3) ActivityEmpty(a), CategoryMatches(a), TypeMatches(a), and
// WordsMatch() for the criteria of company_words.h, tested last as the dearest.
template <typename Record> bool PassesCompanyFilter(const Record& record, const CompanyFilter& filter)
{
    if (record.Deleted()) {
        return false;
    }
    // A company without a county is listed under every county.
    if (filter.county && !record.CountyEmpty() && !record.CountyMatches()) {
        return false;
    }
    if (filter.categories) {
        bool found = false;
        for (std::size_t a = 0; a < 4 && !found; ++a) {
            found = !record.ActivityEmpty(a) && record.CategoryMatches(a);
        }
        if (!found) {
            return false;
        }
    }
    if (filter.typeLetter != '\0') {
        // The type letters are looked at up to the first empty entry.
        bool found = false;
        for (std::size_t a = 0; a < 4 && !found; ++a) {
            if (record.ActivityEmpty(a)) {
                return false;
            }
            found = record.TypeMatches(a);
        }
        if (!found) {
            return false;
        }
    }
    return !filter.words || record.WordsMatch();
}

} // namespace dorvanta
