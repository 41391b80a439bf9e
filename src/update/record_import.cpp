#include "update/record_import.h"

#include "data/field_case.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/text.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <span>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

int GaugeValue(std::size_t value)
{
    constexpr std::size_t kMax = static_cast<std::size_t>(std::numeric_limits<int>::max());
    return value > kMax ? std::numeric_limits<int>::max() : static_cast<int>(value);
}

// Added and replaced company records are written in batches of at most this many bytes.
constexpr std::size_t kPendingBytes = std::size_t{4} << 20;

// Cuts the backtick-ended fields at the start of `line` into `fields`, in
// order, and returns how many it found. Text after the last one is ignored.
std::size_t SplitBacktickFields(std::string_view line, std::span<std::string_view> fields)
{
    std::size_t found = 0;
    for (; found < fields.size(); ++found) {
        const std::size_t end = line.find('`');
        if (end == std::string_view::npos) {
            break;
        }
        fields[found] = line.substr(0, end);
        line.remove_prefix(end + 1);
    }
    return found;
}

// Where the names that the lines of one company answer look for stand in
// database.db. Only those names can ever be looked up, so only records that
// hold one of them are indexed: one pass over the file with a small table
// that stays in the cache, whatever the size of the file.
//
// A lookup gives the first record in file order, as a scan from the start
// would. A name held by more than one record (blanked records all hold the
// empty name) keeps its later record numbers in a min-heap, so that when the
// first one changes name the next one in file order takes its place.
class CompanyNameIndex
{
public:
    // `keys` are the upper-cased names of the lines; they must outlive the index.
    explicit CompanyNameIndex(const std::unordered_set<std::string>& keys)
    {
        entries_.reserve(keys.size());
        for (const std::string& key : keys) {
            entries_.try_emplace(key);
            if (key.size() < lengths_.size()) {
                lengths_.set(key.size());
            }
            filter_[NameHash::Bits(key) >> kFilterShift] = true;
        }
    }

    // Whether some record name of this length could be looked up: most
    // records are passed over without reading their name.
    bool MayHoldLength(std::size_t length) const { return lengths_.test(length); }

    // Whether the index may hold this name: false means certainly not, and
    // costs far less than a lookup.
    bool MayHold(std::string_view key) const { return filter_[NameHash::Bits(key) >> kFilterShift]; }

    std::optional<std::uint64_t> Find(std::string_view key) const
    {
        const auto it = entries_.find(key);
        if (it == entries_.end() || it->second.first == kNoRecord) {
            return std::nullopt;
        }
        return it->second.first;
    }

    // Record `number` now holds `key`; ignored for a name no line looks for.
    void Add(std::string_view key, std::uint64_t number)
    {
        const auto it = entries_.find(key);
        if (it == entries_.end()) {
            return;
        }
        Entry& entry = it->second;
        if (entry.first == kNoRecord) {
            entry.first = number;
            return;
        }
        if (number < entry.first) {
            std::swap(number, entry.first);
        }
        entry.later.push_back(number);
        std::push_heap(entry.later.begin(), entry.later.end(), std::greater<>());
    }

    // The first record of `key` no longer holds that name.
    void RemoveFirst(std::string_view key)
    {
        const auto it = entries_.find(key);
        if (it == entries_.end()) {
            return;
        }
        Entry& entry = it->second;
        if (entry.later.empty()) {
            entry.first = kNoRecord;
            return;
        }
        std::pop_heap(entry.later.begin(), entry.later.end(), std::greater<>());
        entry.first = entry.later.back();
        entry.later.pop_back();
    }

private:
    static constexpr std::uint64_t kNoRecord = std::numeric_limits<std::uint64_t>::max();
    struct Entry
    {
        std::uint64_t first = kNoRecord;
        std::vector<std::uint64_t> later; // min-heap
    };

    // A hash of the whole name, a word at a time. The filter takes its top
    // bits from all 64, whatever the width of std::size_t.
    struct NameHash
    {
        static std::uint64_t Bits(std::string_view name) noexcept
        {
            std::uint64_t hash = name.size() * 0x9E3779B97F4A7C15ull;
            std::size_t i = 0;
            for (; i + 8 <= name.size(); i += 8) {
                std::uint64_t word;
                std::memcpy(&word, name.data() + i, 8);
                hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
                hash ^= hash >> 29;
            }
            if (i < name.size()) {
                std::uint64_t word = 0;
                std::memcpy(&word, name.data() + i, name.size() - i);
                hash = (hash ^ word) * 0xC4CEB9FE1A85EC53ull;
            }
            return hash ^ (hash >> 32);
        }
        // Not noexcept on purpose: libstdc++ then keeps each entry's hash
        // beside it instead of hashing every name a lookup walks past (a
        // full-size update looks up hundreds of thousands of names).
        std::size_t operator()(std::string_view name) const
        {
            return static_cast<std::size_t>(Bits(name));
        }
    };
    static constexpr int kFilterBits = 20;
    static constexpr int kFilterShift = 64 - kFilterBits;
    static_assert(kFilterShift > 0 &&
                  kFilterShift < std::numeric_limits<decltype(NameHash::Bits({}))>::digits);

    std::unordered_map<std::string_view, Entry, NameHash> entries_;
    std::vector<bool> filter_ = std::vector<bool>(std::size_t{1} << kFilterBits);
    std::bitset<company_layout::kFields[company_layout::Company].maxLength + 1> lengths_;
};

void BuildIndex(const RecordFile& file, CompanyNameIndex& index)
{
    const FieldLayout& field = company_layout::kFields[company_layout::Company];
    static_assert(company_layout::kFields[company_layout::Company].maxLength % 8 == 0,
                  "names are read in whole words");
    // Most records are passed over after a hash of their name, without a lookup.
    char key[256];
    ForEachRecord(file, [&](std::uint64_t number, const std::uint8_t* record) {
        const std::size_t length = FieldLength(record, field);
        if (!index.MayHoldLength(length)) {
            return;
        }
        UnscrambleUpper(record + field.offset + 1, length, key);
        const std::string_view name(key, length);
        if (index.MayHold(name)) {
            index.Add(name, number);
        }
    });
}

// Takes the writer's lock of `file`, telling `progress` when another writer
// makes us wait.
void LockForWriting(RecordFile& file, ImportProgress& progress)
{
    file.Lock(FileLock::Exclusive, [&] { progress.WaitingForFile(file.path().filename().string()); });
}

std::array<std::uint8_t, company_layout::kRecordSize> CompanyRecordBytes(const CompanyLine& line)
{
    std::array<std::uint8_t, company_layout::kRecordSize> record{};
    if (!line.blank) {
        for (std::size_t k = 0; k < kCompanyLineFields; ++k) {
            WriteField(record.data(), company_layout::kFields[k], line.fields[k]);
        }
    }
    return record;
}

} // namespace

bool LoadOpportunityIds(const fs::path& programFolder, std::vector<std::string>& ids)
{
    try {
        // RecordFile refuses a missing file, so it needs no look of its own.
        RecordFile file(ResolveFile(programFolder, kOpportunityFileName), opportunity_layout::kRecordSize);
        file.Lock(FileLock::Shared);
        ForEachRecord(file, [&](std::uint64_t, const std::uint8_t* record) {
            ids.push_back(ReadField(record, opportunity_layout::kFields[opportunity_layout::AdId]));
        });
        file.Close();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::array<std::string, kOpportunityLineFields> SplitOpportunityLine(std::string_view line)
{
    std::array<std::string_view, kOpportunityLineFields> views;
    SplitBacktickFields(line, views);
    std::array<std::string, kOpportunityLineFields> fields;
    std::copy(views.begin(), views.end(), fields.begin());
    return fields;
}

bool AppendOpportunities(const fs::path& programFolder, LineSource& lines, ImportProgress& progress,
                         std::optional<FileError>* failure)
{
    using namespace opportunity_layout;
    try {
        RecordFile file(ResolveFile(programFolder, kOpportunityFileName), kRecordSize,
                        RecordFile::Open::CreateIfMissing);
        LockForWriting(file, progress);
        std::string line;
        std::size_t count = 0;
        while (lines.Next(line)) {
            ++count;
        }
        lines.Rewind();
        progress.SetGaugeMaximum(GaugeValue(count));
        for (std::size_t i = 0; lines.Next(line); ++i) {
            const auto fields = SplitOpportunityLine(line);
            std::array<std::uint8_t, kRecordSize> record{};
            // Line fields 1 to 3 fill the first three record fields, Reserved
            // stays empty, and fields 4 to 13 fill the rest.
            for (std::size_t f = 0; f < FieldCount; ++f) {
                if (f == Reserved) {
                    continue;
                }
                WriteField(record.data(), kFields[f], fields[f < Reserved ? f : f - 1]);
            }
            file.Append(record.data());
            progress.SetGaugePosition(GaugeValue(i));
        }
        file.Close();
        return true;
    } catch (const FileError& error) {
        if (failure) {
            failure->emplace(error);
        }
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

bool AppendOpportunities(const fs::path& programFolder, const std::vector<std::string>& lines,
                         ImportProgress& progress, std::optional<FileError>* failure)
{
    VectorLineSource source(lines);
    return AppendOpportunities(programFolder, source, progress, failure);
}

CompanyLine ParseCompanyLine(std::string_view line)
{
    CompanyLine parsed;
    if (line.size() < 10 || (line[0] != '!' && line[0] != '@')) {
        return parsed;
    }
    if (SplitBacktickFields(line.substr(1), parsed.fields) < kCompanyLineFields) {
        return CompanyLine{};
    }
    parsed.valid = true;
    parsed.blank = line[0] == '@';
    return parsed;
}

CompanyImportResult ImportCompanies(const fs::path& programFolder, LineSource& lines,
                                    ImportProgress& progress, Language language)
{
    const FieldLayout& nameField = company_layout::kFields[company_layout::Company];
    // First pass: the names the lines look for. A name longer than its field
    // never equals a stored one, so it needs no place in the index.
    std::unordered_set<std::string> keys;
    std::size_t lineCount = 0;
    bool anyValid = false;
    std::string text;
    while (lines.Next(text)) {
        ++lineCount;
        const CompanyLine line = ParseCompanyLine(text);
        if (line.valid) {
            anyValid = true;
            if (line.fields[0].size() <= nameField.maxLength) {
                keys.insert(ToUpperAZ(line.fields[0]));
            }
        }
    }
    progress.SetGaugeMaximum(GaugeValue(lineCount));

    std::optional<RecordFile> file;
    if (anyValid) {
        const fs::path path = ResolveFile(programFolder, kCompanyFileName);
        std::error_code ec;
        if (!fs::exists(path, ec)) {
            progress.ShowInformation(kDatabaseMissingText);
            return CompanyImportResult::DatabaseMissing;
        }
        file.emplace(path, company_layout::kRecordSize);
        // Held until the last record is written: another import's records
        // and names are all in the file before this one reads it.
        LockForWriting(*file, progress);
    }
    CompanyNameIndex index(keys);
    if (file) {
        BuildIndex(*file, index);
    }

    constexpr std::size_t kRecordSize = company_layout::kRecordSize;
    // New records are gathered and written together: an answer adds
    // thousands, and a write for each would cost more than reading the file.
    // A line that changes a gathered record changes it in memory.
    std::vector<std::uint8_t> pending;
    std::uint64_t pendingFirst = file ? file->RecordCount() : 0;
    // Replaced records are written in file order, which the system handles
    // far faster than the same writes scattered in the order of the lines.
    std::map<std::uint64_t, std::array<std::uint8_t, kRecordSize>> replaced;
    const auto flush = [&] {
        // The batch is taken out before it is written: when a write fails
        // part-way, what reached the file stays, and the error path below
        // never writes any of it a second time.
        const auto writes = std::exchange(replaced, {});
        const auto appends = std::exchange(pending, {});
        for (const auto& [number, bytes] : writes) {
            file->Write(number, bytes.data());
        }
        if (!appends.empty()) {
            file->AppendMany(appends.data(), appends.size() / kRecordSize);
            pendingFirst += appends.size() / kRecordSize;
        }
    };
    try {
        lines.Rewind();
        for (std::size_t i = 0; lines.Next(text); ++i) {
            const CompanyLine line = ParseCompanyLine(text);
            if (!line.valid) {
                continue;
            }
            const std::string upper = ToUpperAZ(line.fields[0]);
            const std::string_view key = upper;
            const auto record = CompanyRecordBytes(line);
            if (const auto found = index.Find(key)) {
                if (*found >= pendingFirst) {
                    std::copy(record.begin(), record.end(),
                              pending.begin() +
                                  static_cast<std::ptrdiff_t>((*found - pendingFirst) * kRecordSize));
                } else {
                    replaced[*found] = record;
                }
                // A match means the name fits its field, so a replaced record keeps
                // its key; a blanked one now holds the empty name.
                if (line.blank && !key.empty()) {
                    index.RemoveFirst(key);
                    index.Add({}, *found);
                }
            } else if (!line.blank) {
                const std::uint64_t number = pendingFirst + pending.size() / kRecordSize;
                pending.insert(pending.end(), record.begin(), record.end());
                // The stored name is cut to its field; later lines match that.
                index.Add(key.substr(0, nameField.maxLength), number);
            } else {
                continue;
            }
            if (pending.size() + replaced.size() * kRecordSize >= kPendingBytes) {
                flush();
            }
            progress.SetGaugePosition(GaugeValue(i));
        }
        flush();
    } catch (...) {
        // The lines handled before the failure stay applied; a batch whose
        // write failed is not among them (see flush).
        try {
            flush();
        } catch (const FileError&) {
        }
        throw;
    }

    if (file) {
        file->Close();
    }
    progress.SetStatus(CompaniesUpdatedText(lineCount, language));
    return CompanyImportResult::Applied;
}

CompanyImportResult ImportCompanies(const fs::path& programFolder, const std::vector<std::string>& lines,
                                    ImportProgress& progress, Language language)
{
    VectorLineSource source(lines);
    return ImportCompanies(programFolder, source, progress, language);
}

} // namespace dorvanta
