#include "publisher/ads.h"

#include "data/windows1250.h"
#include "import/line_source.h"

#include <algorithm>

namespace dorvanta::publisher {

namespace {

constexpr std::size_t kAdFields = 13;
constexpr std::size_t kIdWidth = 6;
constexpr std::int64_t kLastNumber = 999999;

bool AllDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::int64_t NextFreeNumber(Database& db)
{
    std::int64_t highest = 0;
    Statement ids = db.Prepare("SELECT id FROM ad");
    while (ids.Step()) {
        const std::string_view id = ids.Bytes(0);
        if (AllDigits(id) && id.size() <= kIdWidth) {
            highest = std::max<std::int64_t>(highest, std::stoll(std::string(id)));
        }
    }
    return highest + 1;
}

[[noreturn]] void RefuseLine(std::size_t number, const std::string& why)
{
    throw Refused("Line " + std::to_string(number) + ": " + why);
}

} // namespace

AddedAds AddAds(Master& master, const std::filesystem::path& file)
{
    Database& db = master.db();
    AddedAds added;
    Transaction transaction(db);
    std::int64_t next = NextFreeNumber(db);
    Statement exists = db.Prepare("SELECT 1 FROM ad WHERE id = ?1");
    Statement insert = db.Prepare("INSERT INTO ad(id, grp, line) VALUES(?1, ?2, ?3)");

    FileLineSource lines(file);
    std::string line;
    for (std::size_t number = 1; lines.Next(line); ++number) {
        if (number == 1 && line.starts_with("\xEF\xBB\xBF")) {
            line.erase(0, 3);
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        const std::optional<std::string> converted = Utf8ToWindows1250(line);
        if (!converted) {
            RefuseLine(number, "not UTF-8, or a character Windows-1250 lacks");
        }
        std::vector<std::string> fields;
        std::size_t start = 0;
        while (fields.size() < kAdFields) {
            const std::size_t tick = converted->find('`', start);
            if (tick == std::string::npos) {
                RefuseLine(number, "expected 13 fields, each ended by a backtick");
            }
            fields.push_back(converted->substr(start, tick - start));
            start = tick + 1;
        }
        const std::string& groupField = fields[1];
        if (groupField.size() != 1 || std::tolower(static_cast<unsigned char>(groupField[0])) < 'a' ||
            std::tolower(static_cast<unsigned char>(groupField[0])) > 'j') {
            RefuseLine(number, "field 2 must be a domain group letter a to j");
        }
        if (fields[0].empty()) {
            if (next > kLastNumber) {
                RefuseLine(number, "no free number of 6 digits is left");
            }
            fields[0] = std::to_string(next++);
        } else if (fields[0].size() > kIdWidth) {
            RefuseLine(number, "an identifier has at most 6 characters");
        }
        exists.BindBlob(1, fields[0]);
        const bool held = exists.Step();
        exists.Reset();
        if (held) {
            RefuseLine(number, "the identifier " + Windows1250ToUtf8(fields[0]) + " is already held");
        }
        std::string stored;
        for (const std::string& field : fields) {
            stored += field;
            stored += '`';
        }
        const char group = static_cast<char>(std::tolower(static_cast<unsigned char>(groupField[0])));
        insert.BindBlob(1, fields[0]).Bind(2, std::string(1, group)).BindBlob(3, stored).Run();
        added.ids.push_back(fields[0]);
    }
    if (!added.ids.empty()) {
        master.BumpGeneration();
    }
    transaction.Commit();
    return added;
}

void RemoveAd(Master& master, std::string_view id)
{
    const std::optional<std::string> stored = Utf8ToWindows1250(id);
    Transaction transaction(master.db());
    if (stored) {
        master.db().Prepare("DELETE FROM ad WHERE id = ?1").BindBlob(1, *stored).Run();
    }
    if (!stored || master.db().Changes() == 0) {
        throw Refused("No ad has the identifier " + std::string(id));
    }
    master.BumpGeneration();
    transaction.Commit();
}

} // namespace dorvanta::publisher
