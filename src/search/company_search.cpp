#include "search/company_search.h"

#include "data/company_record.h"
#include "data/field_case.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/scramble.h"
#include "data/text.h"
#include "search/company_filter.h"
#include "search/company_words.h"
#include "search/search_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <optional>
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
        : filter_(criteria), words_(criteria),
          name_(FoldForSearch(criteria.nameText, criteria.ignoreDiacritics)),
          ignoreDiacritics_(criteria.ignoreDiacritics), scrambledCounty_(ScrambleField(criteria.countyCode))
    {
        // Stored codes are lower case.
        for (const std::string& code : criteria.categoryCodes) {
            codes_.push_back(ToLowerAZ(code));
        }
        std::sort(codes_.begin(), codes_.end());
    }

    // Whether the tests look at the activity entries at all.
    bool ReadsActivities() const { return filter_.categories || filter_.typeLetter != '\0'; }

    // True when the record passes the county, category, type and name tests.
    // `lowerName` receives the lower-cased name of a passing record.
    bool Matches(const std::uint8_t* record, char* lowerName, std::size_t& nameLength) const
    {
        if (!PassesCompanyFilter(MappedCompany{record, *this}, filter_)) {
            return false;
        }
        nameLength = FieldLength(record, kName);
        UnscrambleLower(record + kName.offset + 1, nameLength, lowerName);
        if (name_.empty()) {
            return true;
        }
        if (!ignoreDiacritics_) {
            return std::string_view(lowerName, nameLength).find(name_) != std::string_view::npos;
        }
        // The list shows the name with its diacritics: strip a copy.
        char baseName[256];
        std::memcpy(baseName, lowerName, nameLength);
        StripDiacritics(baseName, nameLength);
        return std::string_view(baseName, nameLength).find(name_) != std::string_view::npos;
    }

private:
    // One record of the mapped file, as PassesCompanyFilter asks about it.
    struct MappedCompany
    {
        const std::uint8_t* record;
        const CompanyMatcher& matcher;

        bool Deleted() const { return FieldLength(record, kName) == 0; }
        bool CountyEmpty() const { return FieldLength(record, kCounty) == 0; }
        bool CountyMatches() const { return StoredEquals(record, kCounty, matcher.scrambledCounty_); }
        bool ActivityEmpty(std::size_t a) const { return FieldLength(record, *kActivities[a]) == 0; }
        bool TypeMatches(std::size_t a) const
        {
            return StoredLastChar(record, *kActivities[a]) == matcher.filter_.typeLetter;
        }
        bool CategoryMatches(std::size_t a) const
        {
            const FieldLayout& field = *kActivities[a];
            const std::size_t length = FieldLength(record, field);
            char entry[256];
            UnscrambleInto(record + field.offset + 1, length, entry);
            const std::string_view code = ActivityCategoryCode(std::string_view(entry, length));
            return !code.empty() &&
                   std::binary_search(matcher.codes_.begin(), matcher.codes_.end(), code,
                                      [](std::string_view x, std::string_view y) { return x < y; });
        }
        bool WordsMatch() const
        {
            char text[264];
            return matcher.words_.Matches([&](std::size_t index) {
                const FieldLayout& field = layout::kFields[index];
                const std::size_t length = FieldLength(record, field);
                UnscrambleLower(record + field.offset + 1, length, text);
                return std::string_view(text, length);
            });
        }
    };

    CompanyFilter filter_;
    CompanyWordQuery words_;
    std::string name_;
    bool ignoreDiacritics_;
    std::string scrambledCounty_;
    std::vector<std::string> codes_; // sorted
};

// Bytes of the file mapped at a time by all parts together, so the memory a
// search holds stays small whatever the size of the file. Each window that
// is let go costs the processors a flush of their address caches, so the
// windows are as large as that bound allows.
constexpr std::size_t kMappedBytes = std::size_t{12} << 20;

// The search reads a few bytes of each 766-byte record, a stride the
// processor's own prefetching does not follow across pages; asking for the
// lines some records ahead keeps the memory busy instead of waiting on it.
constexpr std::size_t kPrefetchAhead = 16;

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

// What one part of the search found: the matching rows of its records in
// file order, at most one more than the list can take, and the failure that
// ended it early, if one did.
struct PartResult
{
    std::vector<ResultRow> rows;
    std::exception_ptr failure;
};

// Tests records [begin, end), a window of them at a time. The records are
// mapped, not copied: the tests read a few bytes of each, far less than
// copying every byte would cost (the benchmark's floor). A file that another
// program cuts meanwhile reads as zero bytes past its new end (see
// MappedWindow); the rows of records from there on are dropped and the part
// ends with a read error.
PartResult ScanRange(const RecordFile& file, const CompanyMatcher& matcher, std::uint64_t begin,
                     std::uint64_t end, std::size_t parts)
{
    PartResult part;
    const std::size_t windowRecords = kMappedBytes / parts / layout::kRecordSize;
    try {
        char lowerName[256];
        std::size_t nameLength = 0;
        const bool readsActivities = matcher.ReadsActivities();
        for (std::uint64_t first = begin; first < end;) {
            const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(windowRecords, end - first));
            const MappedWindow window = file.Map(first, count);
            const std::uint8_t* records = window.data();
            bool full = false;
            for (std::size_t i = 0; i < count && !full; ++i) {
                const std::uint8_t* record = records + i * layout::kRecordSize;
                if (i + kPrefetchAhead < count) {
                    Prefetch(record + kPrefetchAhead * layout::kRecordSize, readsActivities);
                }
                if (!matcher.Matches(record, lowerName, nameLength)) {
                    continue;
                }
                part.rows.push_back(ResultRow{static_cast<std::int64_t>(first + i), MainTypeColumn(record),
                                              TitleCaseName(std::string_view(lowerName, nameLength))});
                full = part.rows.size() > kResultLimit;
            }
            if (const std::size_t cut = window.CutAt(); cut < window.length()) {
                const auto lost = static_cast<std::int64_t>(first + cut / layout::kRecordSize);
                std::erase_if(part.rows, [&](const ResultRow& row) { return row.recordNumber >= lost; });
                throw FileError(file.path(), FileOperation::Read, 0);
            }
            if (full) {
                break;
            }
            first += count;
        }
    } catch (...) {
        part.failure = std::current_exception();
    }
    return part;
}

} // namespace

CompanyFilter::CompanyFilter(const CompanyCriteria& criteria)
    : county(!criteria.countyCode.empty()), categories(!criteria.categoryCodes.empty()),
      typeLetter(criteria.typeLetter.empty() ? '\0' : ToLowerAZ(criteria.typeLetter[0])),
      words(CompanyWordQuery(criteria).Any())
{
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
    const std::optional<RecordFile> file =
        OpenForSearch(path, layout::kRecordSize, result, CannotOpenCompanyFileText(language));
    if (!file) {
        return result;
    }

    try {
        const CompanyMatcher matcher(criteria);
        const std::uint64_t count = file->RecordCount();
        const std::size_t parts = forcedParts > 0 ? forcedParts : PartsFor(count);
        std::vector<PartResult> found(parts);
        auto scan = [&](std::size_t part) {
            found[part] = ScanRange(*file, matcher, count * part / parts, count * (part + 1) / parts, parts);
        };
        {
            std::vector<std::jthread> helpers;
            for (std::size_t part = 1; part < parts; ++part) {
                helpers.emplace_back(scan, part);
            }
            scan(0);
        }
        // Each part holds its first matches in file order, one more than the
        // list takes: their concatenation starts with the first matches of the
        // file. A part that failed ends it, after the rows it found before.
        for (PartResult& part : found) {
            for (ResultRow& row : part.rows) {
                if (!AddRow(result, std::move(row))) {
                    break;
                }
            }
            if (result.outcome == SearchOutcome::LimitReached) {
                break;
            }
            if (part.failure) {
                std::rethrow_exception(part.failure);
            }
        }
    } catch (const FileError& error) {
        result.outcome = SearchOutcome::ReadError;
        result.errorMessage = FileErrorText(error, language);
        return result;
    }

    FinishResult(result, language);
    return result;
}

} // namespace dorvanta
