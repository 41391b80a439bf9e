#include "search/company_search.h"

#include "data/code_tables.h"
#include "data/company_record.h"
#include "data/field_case.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/scramble.h"
#include "data/text.h"
#include "search/placeholders.h"

#include <algorithm>
#include <array>
#include <exception>
#include <thread>

namespace dorvanta {

namespace {
namespace layout = company_layout;

constexpr const FieldLayout& kName = layout::kFields[layout::Company];
// The name is read in whole 8-byte words, which never run past the field.
static_assert(kName.maxLength % 8 == 0);
constexpr const FieldLayout& kCounty = layout::kFields[layout::County];
constexpr std::array<const FieldLayout*, 4> kActivities = {
    &layout::kFields[layout::Activity1], &layout::kFields[layout::Activity2],
    &layout::kFields[layout::Activity3], &layout::kFields[layout::Activity4]};

// The criteria in the form the record loop tests fastest: the county is
// compared in its stored (scrambled) form, so no county is ever unscrambled.
class CompanyMatcher
{
public:
    explicit CompanyMatcher(const CompanyCriteria& criteria)
        : name_(criteria.nameText), scrambledCounty_(ScrambleField(criteria.countyCode)),
          codes_(criteria.categoryCodes),
          typeLetter_(criteria.typeLetter.empty() ? '\0' : criteria.typeLetter[0])
    {
        std::sort(codes_.begin(), codes_.end());
    }

    // Whether the tests look at the activity entries at all.
    bool ReadsActivities() const { return !codes_.empty() || typeLetter_ != '\0'; }

    // True when the record passes the county, category, type and name tests.
    // `lowerName` receives the lower-cased name of a passing record.
    bool Matches(const std::uint8_t* record, char* lowerName, std::size_t& nameLength) const
    {
        if (!scrambledCounty_.empty() && FieldLength(record, kCounty) != 0 &&
            !StoredEquals(record, kCounty, scrambledCounty_)) {
            return false;
        }
        if (!codes_.empty() && !MatchesCategory(record)) {
            return false;
        }
        if (typeLetter_ != '\0' && !MatchesType(record)) {
            return false;
        }
        nameLength = FieldLength(record, kName);
        if (nameLength == 0) {
            return false; // a deleted record
        }
        UnscrambleLower(record + kName.offset + 1, nameLength, lowerName);
        return name_.empty() || std::string_view(lowerName, nameLength).find(name_) != std::string_view::npos;
    }

private:
    bool MatchesCategory(const std::uint8_t* record) const
    {
        for (const FieldLayout* field : kActivities) {
            const std::size_t length = FieldLength(record, *field);
            if (length == 0) {
                continue;
            }
            char entry[256];
            UnscrambleInto(record + field->offset + 1, length, entry);
            const std::string_view code = ActivityCategoryCode(std::string_view(entry, length));
            if (!code.empty() &&
                std::binary_search(codes_.begin(), codes_.end(), code,
                                   [](std::string_view a, std::string_view b) { return a < b; })) {
                return true;
            }
        }
        return false;
    }

    bool MatchesType(const std::uint8_t* record) const
    {
        for (const FieldLayout* field : kActivities) {
            if (FieldLength(record, *field) == 0) {
                return false;
            }
            if (StoredLastChar(record, *field) == typeLetter_) {
                return true;
            }
        }
        return false;
    }

    std::string name_;
    std::string scrambledCounty_; // empty: no county criterion
    std::vector<std::string> codes_;
    char typeLetter_; // 0: no type criterion
};

// The search reads a few bytes of each 766-byte record, a stride the
// processor's own prefetching does not follow across pages; asking for the
// lines some records ahead keeps the memory busy instead of waiting on it.
constexpr std::uint64_t kPrefetchAhead = 16;

inline void Prefetch(const std::uint8_t* record, bool activities)
{
#if defined(__GNUC__)
    // The name spans bytes 0 to 80: two or three cache lines, by where the record starts.
    __builtin_prefetch(record);
    __builtin_prefetch(record + 32);
    if (activities) {
        __builtin_prefetch(record + layout::kFields[layout::Activity1].offset);
        __builtin_prefetch(record + layout::kFields[layout::Activity4].end() - 1);
    }
#else
    (void)record;
    (void)activities;
#endif
}

// Reading the file is bound by how many memory reads are in flight, not by
// the work done on each record, so a large file is read in parts at once, one
// per processor (up to four). The caller still waits for the whole search.
std::size_t PartsFor(std::uint64_t records)
{
    constexpr std::uint64_t kRecordsPerPart = 200000;
    const std::size_t processors = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    return static_cast<std::size_t>(std::clamp<std::uint64_t>(records / kRecordsPerPart, 1, processors));
}

// The "Type" column: the type letter of the main activity entry, upper-cased.
std::string MainTypeColumn(const std::uint8_t* record)
{
    const FieldLayout& main = *kActivities[0];
    return FieldLength(record, main) == 0 ? std::string{}
                                          : std::string(1, ToUpperAZ(StoredLastChar(record, main)));
}

// The matching rows of records [begin, end), in file order, at most one more
// than the list can take.
std::vector<ResultRow> ScanRange(const MappedRecords& records, const CompanyMatcher& matcher,
                                 std::uint64_t begin, std::uint64_t end)
{
    std::vector<ResultRow> rows;
    char lowerName[256];
    std::size_t nameLength = 0;
    const bool readsActivities = matcher.ReadsActivities();
    for (std::uint64_t k = begin; k < end; ++k) {
        const std::uint8_t* record = records.record(k);
        if (k + kPrefetchAhead < end) {
            Prefetch(records.record(k + kPrefetchAhead), readsActivities);
        }
        if (!matcher.Matches(record, lowerName, nameLength)) {
            continue;
        }
        rows.push_back(ResultRow{static_cast<std::int64_t>(k), MainTypeColumn(record),
                                 TitleCaseName(std::string_view(lowerName, nameLength))});
        if (rows.size() > kResultLimit) {
            break;
        }
    }
    return rows;
}

} // namespace

CompanyCriteria MakeCompanyCriteria(const CompanyPanelChoice& choice)
{
    CompanyCriteria criteria;
    if (!IsCompanyPlaceholder(choice.nameBox)) {
        criteria.nameText = ToLowerAZ(choice.nameBox);
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
            criteria.categoryCodes.push_back(ToLowerAZ(choice.subdomainCodes[k]));
        }
    } else if (choice.domainIndex > 0) {
        criteria.categoryCodes = choice.subdomainCodes;
    }
    return criteria;
}

SearchResult SearchCompanies(const std::filesystem::path& folder, const CompanyCriteria& criteria,
                             Language language)
{
    return SearchCompaniesInParts(folder, criteria, language, 0);
}

SearchResult SearchCompaniesInParts(const std::filesystem::path& folder, const CompanyCriteria& criteria,
                                    Language language, std::size_t forcedParts)
{
    SearchResult result;
    const std::filesystem::path path = ResolveFile(folder, kCompanyFileName);
    std::optional<RecordFile> file;
    try {
        file.emplace(path, layout::kRecordSize);
    } catch (const FileError&) {
        result.outcome = SearchOutcome::CannotOpen;
        result.errorMessage = CannotOpenCompanyFileText(language);
        return result;
    }

    try {
        const MappedRecords records(*file);
        const CompanyMatcher matcher(criteria);
        const std::uint64_t count = records.count();
        const std::size_t parts = forcedParts > 0 ? forcedParts : PartsFor(count);
        std::vector<std::vector<ResultRow>> found(parts);
        std::vector<std::exception_ptr> failures(parts);
        auto scan = [&](std::size_t part) {
            try {
                found[part] = ScanRange(records, matcher, count * part / parts, count * (part + 1) / parts);
            } catch (...) {
                failures[part] = std::current_exception();
            }
        };
        {
            std::vector<std::jthread> helpers;
            for (std::size_t part = 1; part < parts; ++part) {
                helpers.emplace_back(scan, part);
            }
            scan(0);
        }
        for (const std::exception_ptr& failure : failures) {
            if (failure) {
                std::rethrow_exception(failure);
            }
        }
        // Each part holds its first matches in file order, one more than the
        // list takes: their concatenation starts with the first matches of the file.
        for (std::vector<ResultRow>& rows : found) {
            for (ResultRow& row : rows) {
                if (result.rows.size() == kResultLimit) {
                    result.outcome = SearchOutcome::LimitReached;
                    break;
                }
                result.rows.push_back(std::move(row));
            }
        }
    } catch (const FileError& error) {
        result.outcome = SearchOutcome::ReadError;
        result.errorMessage = error.what();
        return result;
    }

    result.status = result.outcome == SearchOutcome::LimitReached
                        ? GetMessageText(2, language)
                        : FoundRecordsText(result.rows.size(), language);
    result.showNoResult = result.rows.empty();
    return result;
}

} // namespace dorvanta
