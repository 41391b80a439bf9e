#include "update/record_import.h"

#include "data/messages.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/scramble.h"
#include "data/text.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <unordered_map>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

// Records per block read: under a megabyte, so a block is still in the cache
// when its names are read, and a million records take a thousand reads.
constexpr std::size_t kBlockRecords = 1024;

int GaugeValue(std::size_t value)
{
    constexpr std::size_t kMax = static_cast<std::size_t>(std::numeric_limits<int>::max());
    return value > kMax ? std::numeric_limits<int>::max() : static_cast<int>(value);
}

// Calls `visit(number, record)` for every whole record of `file`, in order,
// reading large blocks.
template <typename Visit> void ForEachRecord(const RecordFile& file, Visit&& visit)
{
    std::vector<std::uint8_t> block(kBlockRecords * file.recordSize());
    std::uint64_t first = 0;
    while (true) {
        const std::size_t count = file.ReadBlock(first, kBlockRecords, block.data());
        for (std::size_t i = 0; i < count; ++i) {
            visit(first + i, block.data() + i * file.recordSize());
        }
        if (count < kBlockRecords) {
            return;
        }
        first += count;
    }
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
    explicit CompanyNameIndex(const std::vector<std::string>& keys)
    {
        entries_.reserve(keys.size());
        for (const std::string& key : keys) {
            entries_.try_emplace(key);
            if (key.size() < lengths_.size()) {
                lengths_.set(key.size());
            }
        }
    }

    // Whether some record name of this length could be looked up: most
    // records are passed over without reading their name.
    bool MayHoldLength(std::size_t length) const { return lengths_.test(length); }

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

    std::unordered_map<std::string_view, Entry> entries_;
    std::bitset<company_layout::kFields[company_layout::Company].maxLength + 1> lengths_;
};

void BuildIndex(const RecordFile& file, CompanyNameIndex& index)
{
    const FieldLayout& field = company_layout::kFields[company_layout::Company];
    std::string key;
    ForEachRecord(file, [&](std::uint64_t number, const std::uint8_t* record) {
        const std::size_t length = FieldLength(record, field);
        if (!index.MayHoldLength(length)) {
            return;
        }
        key.resize(length);
        UnscrambleInto(record + field.offset + 1, length, key.data());
        for (char& c : key) {
            c = ToUpperAZ(c);
        }
        index.Add(key, number);
    });
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
    const fs::path path = ResolveFile(programFolder, kOpportunityFileName);
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        return false;
    }
    try {
        RecordFile file(path, opportunity_layout::kRecordSize);
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
    std::array<std::string, kOpportunityLineFields> fields;
    for (std::string& field : fields) {
        const std::size_t end = line.find('`');
        if (end == std::string_view::npos) {
            break;
        }
        field.assign(line.substr(0, end));
        line.remove_prefix(end + 1);
    }
    return fields;
}

bool AppendOpportunities(const fs::path& programFolder, const std::vector<std::string>& lines,
                         ImportProgress& progress)
{
    using namespace opportunity_layout;
    try {
        RecordFile file(ResolveFile(programFolder, kOpportunityFileName), kRecordSize,
                        RecordFile::Open::CreateIfMissing);
        progress.SetGaugeMaximum(GaugeValue(lines.size()));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const auto fields = SplitOpportunityLine(lines[i]);
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
    } catch (const std::exception&) {
        return false;
    }
}

CompanyLine ParseCompanyLine(std::string_view line)
{
    CompanyLine parsed;
    if (line.size() < 10 || (line[0] != '!' && line[0] != '@')) {
        return parsed;
    }
    std::string_view rest = line.substr(1);
    for (std::string_view& field : parsed.fields) {
        const std::size_t end = rest.find('`');
        if (end == std::string_view::npos) {
            return CompanyLine{};
        }
        field = rest.substr(0, end);
        rest.remove_prefix(end + 1);
    }
    parsed.valid = true;
    parsed.blank = line[0] == '@';
    return parsed;
}

CompanyImportResult ImportCompanies(const fs::path& programFolder, const std::vector<std::string>& lines,
                                    ImportProgress& progress, Language language)
{
    progress.SetGaugeMaximum(GaugeValue(lines.size()));

    std::vector<CompanyLine> parsed;
    std::vector<std::string> keys;
    parsed.reserve(lines.size());
    for (const std::string& text : lines) {
        parsed.push_back(ParseCompanyLine(text));
        if (parsed.back().valid) {
            keys.push_back(ToUpperAZ(parsed.back().fields[0]));
        }
    }

    std::optional<RecordFile> file;
    if (!keys.empty()) {
        const fs::path path = ResolveFile(programFolder, kCompanyFileName);
        std::error_code ec;
        if (!fs::exists(path, ec)) {
            progress.ShowInformation(kDatabaseMissingText);
            return CompanyImportResult::DatabaseMissing;
        }
        file.emplace(path, company_layout::kRecordSize);
    }
    CompanyNameIndex index(keys);
    if (file) {
        BuildIndex(*file, index);
    }

    const FieldLayout& nameField = company_layout::kFields[company_layout::Company];
    std::size_t valid = 0;
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        const CompanyLine& line = parsed[i];
        if (!line.valid) {
            continue;
        }
        const std::string_view key = keys[valid++];
        const auto record = CompanyRecordBytes(line);
        if (const auto found = index.Find(key)) {
            file->Write(*found, record.data());
            // A match means the name fits its field, so a replaced record keeps
            // its key; a blanked one now holds the empty name.
            if (line.blank && !key.empty()) {
                index.RemoveFirst(key);
                index.Add({}, *found);
            }
        } else if (!line.blank) {
            const std::uint64_t number = file->Append(record.data());
            // The stored name is cut to its field; later lines match that.
            index.Add(key.substr(0, nameField.maxLength), number);
        } else {
            continue;
        }
        progress.SetGaugePosition(GaugeValue(i));
    }

    if (file) {
        file->Close();
    }
    progress.SetStatus(CompaniesUpdatedText(lines.size(), language));
    return CompanyImportResult::Applied;
}

} // namespace dorvanta
