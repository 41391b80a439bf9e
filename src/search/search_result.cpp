#include "search/search_result.h"

#include "data/messages.h"

namespace dorvanta {

bool AddRow(SearchResult& result, ResultRow row)
{
    if (result.rows.size() == kResultLimit) {
        result.outcome = SearchOutcome::LimitReached;
        return false;
    }
    result.rows.push_back(std::move(row));
    return true;
}

void FinishResult(SearchResult& result, Language language)
{
    result.status = result.outcome == SearchOutcome::LimitReached
                        ? GetMessageText(2, language)
                        : FoundRecordsText(result.rows.size(), language);
    result.showNoResult = result.rows.empty();
}

} // namespace dorvanta
