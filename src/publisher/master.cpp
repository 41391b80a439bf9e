#include "publisher/master.h"

#include <memory>

namespace dorvanta::publisher {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS meta(name TEXT PRIMARY KEY, value INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS answer(
    seq INTEGER PRIMARY KEY AUTOINCREMENT,
    changed INTEGER NOT NULL,
    since INTEGER,
    blanked BLOB,
    line BLOB NOT NULL);
CREATE INDEX IF NOT EXISTS answer_changed ON answer(changed);
CREATE UNIQUE INDEX IF NOT EXISTS answer_blanked ON answer(blanked) WHERE blanked IS NOT NULL;
CREATE TABLE IF NOT EXISTS company(
    registration TEXT PRIMARY KEY,
    key BLOB NOT NULL,
    since INTEGER NOT NULL,
    seq INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS company_key ON company(key);
CREATE TABLE IF NOT EXISTS ad(
    seq INTEGER PRIMARY KEY AUTOINCREMENT,
    id BLOB NOT NULL UNIQUE,
    grp TEXT NOT NULL,
    line BLOB NOT NULL);
CREATE INDEX IF NOT EXISTS ad_group ON ad(grp, seq);
CREATE TABLE IF NOT EXISTS published_file(
    name TEXT PRIMARY KEY,
    version INTEGER NOT NULL,
    address TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS ingest(
    seq INTEGER PRIMARY KEY,
    day INTEGER NOT NULL,
    companies INTEGER NOT NULL,
    changed INTEGER NOT NULL,
    blanked INTEGER NOT NULL,
    removed INTEGER NOT NULL);
)sql";

fs::path MasterFile(const fs::path& root)
{
    return root / kMasterFileName;
}

fs::path Prepared(const fs::path& root)
{
    std::error_code ec;
    fs::create_directories(root / kFilesFolderName, ec);
    if (ec) {
        throw Refused("Cannot create " + (root / kFilesFolderName).string() + ": " + ec.message());
    }
    return MasterFile(root);
}

} // namespace

Master::Master(const fs::path& root) : root_(root), db_(Prepared(root), Database::Mode::Write)
{
    // WAL: the server's readers go on answering from the last commit while
    // an ingest writes.
    db_.UseWriteAheadLog();
    db_.Execute("PRAGMA synchronous=NORMAL");
    db_.Execute(kSchema);
}

std::int64_t Master::Meta(const char* name, std::int64_t fallback)
{
    Statement query = db_.Prepare("SELECT value FROM meta WHERE name = ?1");
    query.Bind(1, name);
    return query.Step() ? query.Int(0) : fallback;
}

void Master::SetMeta(const char* name, std::int64_t value)
{
    db_.Prepare("INSERT INTO meta(name, value) VALUES(?1, ?2) "
                "ON CONFLICT(name) DO UPDATE SET value = excluded.value")
        .Bind(1, name)
        .Bind(2, value)
        .Run();
}

void Master::BumpGeneration()
{
    SetMeta("generation", Meta("generation", 0) + 1);
}

MasterStatus Master::Status()
{
    MasterStatus status;
    const auto count = [this](const char* sql) {
        Statement query = db_.Prepare(sql);
        return query.Step() ? query.Int(0) : 0;
    };
    status.companies = count("SELECT count(*) FROM company");
    status.blankingLines = count("SELECT count(*) FROM answer WHERE blanked IS NOT NULL");
    status.ads = count("SELECT count(*) FROM ad");
    status.files = count("SELECT count(*) FROM published_file");
    status.ingests = count("SELECT count(*) FROM ingest");
    status.generation = Meta("generation", 0);
    if (const std::int64_t last = Meta("last_ingest", 0); last != 0) {
        status.lastIngest = static_cast<std::int32_t>(last);
    }
    Statement newest = db_.Prepare("SELECT changed FROM answer ORDER BY seq DESC LIMIT 1");
    if (newest.Step()) {
        status.lastChange = static_cast<std::int32_t>(newest.Int(0));
    }
    return status;
}

std::unique_ptr<Database> OpenMasterForReading(const fs::path& root)
{
    return std::make_unique<Database>(MasterFile(root), Database::Mode::ReadOnly);
}

} // namespace dorvanta::publisher
