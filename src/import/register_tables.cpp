#include "import/register_tables.h"

#include "data/utf8_path.h"
#include "import/register_snapshot.h"

#include <algorithm>
#include <limits>

namespace dorvanta::register_detail {

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kProgressRows = 1 << 16;

void Report(RegisterReadProgress* progress, const RegisterTable& table)
{
    if (progress) {
        progress->Reading(Utf8FromPath(table.path().filename()), table.BytesRead(), table.Size());
    }
}

// Groups `rows` by company, keeping their order within each (a counting
// sort: two passes, where a comparison sort of 20 million rows takes seconds).
GroupedRows Group(std::vector<std::uint64_t> rows, std::size_t companies)
{
    GroupedRows grouped;
    grouped.start.assign(companies + 1, 0);
    for (const std::uint64_t row : rows) {
        ++grouped.start[(row >> 32) + 1];
    }
    for (std::size_t id = 0; id < companies; ++id) {
        grouped.start[id + 1] += grouped.start[id];
    }
    grouped.rows.resize(rows.size());
    std::vector<std::uint32_t> next(grouped.start.begin(), grouped.start.end() - 1);
    for (const std::uint64_t row : rows) {
        grouped.rows[next[row >> 32]++] = row;
    }
    return grouped;
}

// Rows whose registration numbers are looked up together (TextIntern::FindMany):
// each number is copied out of the line it came in, with what the row says.
class BatchedRows
{
public:
    static constexpr std::size_t kRows = 256;

    bool Add(std::string_view registration, std::uint64_t payload)
    {
        ends_.push_back(text_.size() + registration.size());
        text_.append(registration);
        payloads_.push_back(payload);
        return payloads_.size() == kRows;
    }

    // Calls use(company, payload) for each row, kNone for a number not found; empties the batch.
    template <typename Use> void Resolve(const TextIntern& registrations, Use&& use)
    {
        views_.clear();
        for (std::size_t i = 0, begin = 0; i < ends_.size(); begin = ends_[i++]) {
            views_.push_back(std::string_view(text_).substr(begin, ends_[i] - begin));
        }
        ids_.resize(views_.size());
        registrations.FindMany(views_, ids_);
        for (std::size_t i = 0; i < ids_.size(); ++i) {
            use(ids_[i], payloads_[i]);
        }
        text_.clear();
        ends_.clear();
        payloads_.clear();
    }

private:
    std::string text_;
    std::vector<std::size_t> ends_;
    std::vector<std::uint64_t> payloads_;
    std::vector<std::string_view> views_;
    std::vector<TextIntern::Id> ids_;
};

} // namespace

long long ParseNumber(std::string_view text)
{
    text = TrimSpaces(text);
    if (text.empty() || text.size() > 9) {
        return -1;
    }
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

int ParseEdition(std::string_view text)
{
    text = TrimSpaces(text);
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        if (*it >= '0' && *it <= '9') {
            return *it - '0';
        }
    }
    return -1;
}

std::map<int, std::string> ReadStateNames(const fs::path& file)
{
    std::map<int, std::string> names;
    RegisterTable table(file);
    const std::size_t code = table.RequireColumn("COD");
    const std::size_t name = table.RequireColumn("DENUMIRE");
    RegisterTable::Row row;
    while (table.Next(row)) {
        const long long value = row == RegisterTable::Row::Short ? -1 : ParseNumber(table.Field(code));
        if (value >= 0) {
            names.emplace(static_cast<int>(value), std::string(TrimSpaces(table.Field(name))));
        }
    }
    return names;
}

std::map<std::pair<int, int>, std::string> ReadClassNames(const fs::path& file)
{
    std::map<std::pair<int, int>, std::string> names;
    RegisterTable table(file);
    const std::size_t classColumn = table.RequireColumn("CLASA");
    const std::size_t name = table.RequireColumn("DENUMIRE");
    const std::optional<std::size_t> edition = table.Column("VERSIUNE_CAEN");
    RegisterTable::Row row;
    while (table.Next(row)) {
        if (row == RegisterTable::Row::Short) {
            continue;
        }
        // Rows without a class are the headings of sections, divisions and groups.
        const long long code = ParseNumber(table.Field(classColumn));
        if (code >= 0) {
            const int version = edition ? ParseEdition(table.Field(*edition)) : -1;
            names.emplace(std::pair(version, static_cast<int>(code)),
                          std::string(TrimSpaces(table.Field(name))));
        }
    }
    return names;
}

GroupedRows ReadStates(const fs::path& file, const TextIntern& registrations, RegisterReport& report,
                       RegisterReadProgress* progress)
{
    RegisterTable table(file);
    const std::size_t registration = table.RequireColumn("COD_INMATRICULARE");
    const std::size_t code = table.RequireColumn("COD");
    std::vector<std::uint64_t> rows;
    // Room for the shortest rows: pages never written are never resident.
    rows.reserve(table.Size() / 12);
    BatchedRows batch;
    const auto add = [&](TextIntern::Id id, std::uint64_t value) {
        if (id == TextIntern::kNone) {
            ++report.orphanStateRows;
        } else {
            rows.push_back(std::uint64_t{id} << 32 | value);
        }
    };
    RegisterTable::Row row;
    while (table.Next(row)) {
        if (++report.stateRows % kProgressRows == 0) {
            Report(progress, table);
        }
        const long long value = row != RegisterTable::Row::Whole ? -1 : ParseNumber(table.Field(code));
        if (value < 0 || value > std::numeric_limits<std::uint32_t>::max()) {
            ++report.badStateRows;
            continue;
        }
        if (batch.Add(TrimSpaces(table.Field(registration)), static_cast<std::uint64_t>(value))) {
            batch.Resolve(registrations, add);
        }
    }
    batch.Resolve(registrations, add);
    Report(progress, table);
    return Group(std::move(rows), registrations.size());
}

GroupedRows ReadActivities(const fs::path& file, const TextIntern& registrations, RegisterReport& report,
                           RegisterReadProgress* progress)
{
    RegisterTable table(file);
    const std::size_t registration = table.RequireColumn("COD_INMATRICULARE");
    const std::size_t code = table.RequireColumn("COD_CAEN_AUTORIZAT");
    const std::optional<std::size_t> edition = table.Column("VER_CAEN_AUTORIZAT");
    std::vector<std::uint64_t> rows;
    rows.reserve(table.Size() / 16);
    BatchedRows batch;
    const auto add = [&](TextIntern::Id id, std::uint64_t activity) {
        if (id == TextIntern::kNone) {
            ++report.orphanActivityRows;
        } else {
            rows.push_back(std::uint64_t{id} << 32 | activity);
        }
    };
    RegisterTable::Row row;
    while (table.Next(row)) {
        if (++report.activityRows % kProgressRows == 0) {
            Report(progress, table);
        }
        if (row != RegisterTable::Row::Whole) {
            ++report.badActivityRows;
            continue;
        }
        const long long value = ParseNumber(table.Field(code));
        // Without the edition column every class is of CAEN Rev.2, the one
        // in force when the older snapshots were published.
        const int version = edition ? ParseEdition(table.Field(*edition)) : 2;
        if (value < 0 || value > 9999 || version < 0) {
            ++report.badActivityRows;
            continue;
        }
        if (batch.Add(TrimSpaces(table.Field(registration)),
                      static_cast<std::uint64_t>(version) << 16 | static_cast<std::uint64_t>(value))) {
            batch.Resolve(registrations, add);
        }
    }
    batch.Resolve(registrations, add);
    Report(progress, table);
    return Group(std::move(rows), registrations.size());
}

} // namespace dorvanta::register_detail
