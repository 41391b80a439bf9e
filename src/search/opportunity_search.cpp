#include "search/opportunity_search.h"

#include "data/code_tables.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/scramble.h"
#include "data/text.h"
#include "search/search_file.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace dorvanta {

namespace {
namespace layout = opportunity_layout;

// Records read at a time: about 300 KB, still in the processor's cache while
// they are tested, whatever the size of the file.
constexpr std::size_t kBlockRecords = 512;

bool WithinDays(const std::string& date, const OpportunityCriteria& criteria)
{
    const std::optional<DayNumber> day = ParseAdDate(date);
    return day && criteria.today - *day < criteria.withinDays;
}
} // namespace

SearchResult SearchOpportunities(const std::filesystem::path& folder, const OpportunityCriteria& criteria,
                                 Language language)
{
    SearchResult result;
    const std::filesystem::path path = ResolveFile(folder, kOpportunityFileName);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        result.outcome = SearchOutcome::FileMissing;
        result.status = GetMessageText(10, language);
        result.showNoResult = true;
        return result;
    }

    const FieldLayout& county = layout::kFields[layout::County];
    const FieldLayout& domain = layout::kFields[layout::DomainLetter];
    const FieldLayout& type = layout::kFields[layout::AdType];
    const FieldLayout& subject = layout::kFields[layout::Subject];
    const FieldLayout& insertDate = layout::kFields[layout::InsertDate];
    const std::string scrambledCounty = ScrambleField(criteria.countyCode);
    // Stored group letters are lower case.
    const std::string scrambledDomain = ScrambleField(ToLowerAZ(criteria.domainLetter));
    const std::string scrambledType = ScrambleField(criteria.typeDigit);
    const std::string keyword = FoldForSearch(criteria.keyword, criteria.ignoreDiacritics);

    const std::optional<RecordFile> file =
        OpenForSearch(path, layout::kRecordSize, result, CannotOpenOpportunityFileText(language));
    if (!file) {
        return result;
    }

    try {
        const std::uint64_t count = file->RecordCount();
        std::vector<std::uint8_t> block(kBlockRecords * layout::kRecordSize);
        char text[256];
        for (std::uint64_t first = 0; first < count && result.outcome != SearchOutcome::LimitReached;) {
            const auto blockCount =
                static_cast<std::size_t>(std::min<std::uint64_t>(kBlockRecords, count - first));
            file->ReadRecords(first, blockCount, block.data());
            for (std::size_t i = 0; i < blockCount; ++i) {
                const std::uint8_t* record = block.data() + i * layout::kRecordSize;
                if (!criteria.countyCode.empty() && FieldLength(record, county) != 0 &&
                    !StoredEquals(record, county, scrambledCounty)) {
                    continue;
                }
                if (!criteria.domainLetter.empty() && !StoredEquals(record, domain, scrambledDomain)) {
                    continue;
                }
                if (!criteria.typeDigit.empty() && !StoredEquals(record, type, scrambledType)) {
                    continue;
                }
                const std::size_t length = FieldLength(record, subject);
                UnscrambleInto(record + subject.offset + 1, length, text);
                if (!keyword.empty() &&
                    FoldForSearch(std::string_view(text, length), criteria.ignoreDiacritics).find(keyword) ==
                        std::string::npos) {
                    continue;
                }
                std::string date = ReadField(record, insertDate);
                if (criteria.withinDays > 0 && !WithinDays(date, criteria)) {
                    continue;
                }
                const std::string adType = ReadField(record, type);
                if (!AddRow(result, ResultRow{static_cast<std::int64_t>(first + i),
                                              AdTypeWord(adType, language).value_or(std::string{}),
                                              std::string(text, length), std::move(date)})) {
                    break;
                }
            }
            first += blockCount;
        }
    } catch (const FileError& error) {
        // A read failed part-way: the rows found so far stay, and the problem is named.
        result.outcome = SearchOutcome::ReadError;
        result.errorMessage = FileErrorText(error, language);
        std::reverse(result.rows.begin(), result.rows.end());
        return result;
    }

    // Every match goes to the top of the list, so the latest ad comes first.
    std::reverse(result.rows.begin(), result.rows.end());
    FinishResult(result, language);
    return result;
}

} // namespace dorvanta
