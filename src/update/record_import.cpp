#include "update/record_import.h"

#include "data/messages.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/scramble.h"
#include "data/text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

// Records per block read: a few megabytes, so even a million-record file is
// read in a few hundred system calls.
constexpr std::size_t kBlockRecords = 8192;

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

// Holds the bytes of the index's keys in a few large blocks, so a million
// names do not cost a million small allocations. Views stay valid for the
// life of the arena.
class NameArena
{
public:
    std::string_view Store(std::string_view text)
    {
        if (text.empty()) {
            return {};
        }
        if (text.size() > free_) {
            const std::size_t size = std::max(text.size(), kBlockBytes);
            blocks_.push_back(std::make_unique<char[]>(size));
            next_ = blocks_.back().get();
            free_ = size;
        }
        std::memcpy(next_, text.data(), text.size());
        const std::string_view stored(next_, text.size());
        next_ += text.size();
        free_ -= text.size();
        return stored;
    }

private:
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;
    std::size_t free_ = 0;
};

// The upper-cased names of database.db mapped to the record numbers that hold
// them. A lookup gives the first record in file order, as a scan from the
// start would. Names held by more than one record (blanked records share the
// empty name) keep their later record numbers in order, so that when the first
// one changes name the next one takes its place.
class CompanyNameIndex
{
public:
    void Reserve(std::size_t count) { first_.reserve(count); }

    std::optional<std::uint64_t> Find(std::string_view key) const
    {
        const auto it = first_.find(key);
        if (it == first_.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    void Add(std::string_view key, std::uint64_t number)
    {
        const auto it = first_.find(key);
        if (it == first_.end()) {
            first_.emplace(arena_.Store(key), number);
            return;
        }
        std::set<std::uint64_t>& later = later_[it->first];
        if (number < it->second) {
            later.insert(it->second);
            it->second = number;
        } else {
            later.insert(number);
        }
    }

    // The first record of `key` no longer holds that name.
    void RemoveFirst(std::string_view key)
    {
        const auto it = first_.find(key);
        if (it == first_.end()) {
            return;
        }
        const auto later = later_.find(key);
        if (later == later_.end()) {
            first_.erase(it);
            return;
        }
        it->second = *later->second.begin();
        later->second.erase(later->second.begin());
        if (later->second.empty()) {
            later_.erase(later);
        }
    }

private:
    NameArena arena_;
    std::unordered_map<std::string_view, std::uint64_t> first_;
    std::unordered_map<std::string_view, std::set<std::uint64_t>> later_;
};

// The index key of a stored name: unscrambled, letters a to z made capitals.
void StoredKey(const std::uint8_t* record, std::string& key)
{
    const FieldSpec& field = company_layout::kFields[company_layout::Company];
    const std::size_t length = FieldLength(record, field);
    key.resize(length);
    UnscrambleInto(record + field.offset + 1, length, key.data());
    for (char& c : key) {
        c = ToUpperAZ(c);
    }
}

void BuildIndex(const RecordFile& file, CompanyNameIndex& index)
{
    index.Reserve(static_cast<std::size_t>(file.RecordCount()));
    std::string key;
    ForEachRecord(file, [&](std::uint64_t number, const std::uint8_t* record) {
        StoredKey(record, key);
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

    // Opened, and indexed, when the first valid line needs it.
    std::optional<RecordFile> file;
    CompanyNameIndex index;
    const FieldSpec& nameField = company_layout::kFields[company_layout::Company];

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const CompanyLine line = ParseCompanyLine(lines[i]);
        if (!line.valid) {
            continue;
        }
        if (!file) {
            const fs::path path = ResolveFile(programFolder, kCompanyFileName);
            std::error_code ec;
            if (!fs::exists(path, ec)) {
                progress.ShowInformation(kDatabaseMissingText);
                return CompanyImportResult::DatabaseMissing;
            }
            file.emplace(path, company_layout::kRecordSize);
            BuildIndex(*file, index);
        }

        const std::string key = ToUpperAZ(line.fields[0]);
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
            index.Add(std::string_view(key).substr(0, nameField.maxLength), number);
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
