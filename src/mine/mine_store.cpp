#include "mine/mine_store.h"

#include "data/windows1250.h"
#include "import/record_import.h"
#include "mine/mine_connection.h"
#include "mine/mine_schema.h"

#include <chrono>
#include <system_error>

namespace dorvanta {

using sqlite::Statement;
using WriteTransaction = sqlite::Transaction;

namespace {

// The stored form of a company: its name key as UTF-8 text.
std::string StoredName(std::string_view companyName)
{
    return Windows1250ToUtf8(CompanyNameKey(companyName));
}

// Back to the record files' bytes. Every key was written from those bytes, so
// it converts back; a row written by hand with other letters keeps its text
// as the nearest thing to show.
std::string NameFromStored(const std::string& stored)
{
    std::optional<std::string> bytes = Utf8ToWindows1250(stored);
    return bytes ? std::move(*bytes) : stored;
}

std::int64_t SystemSeconds()
{
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

MineStore::MineStore(const std::filesystem::path& file, MineOptions options) : options_(std::move(options))
{
    std::error_code ec;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ec);
    }
    db_ = std::make_unique<sqlite::Connection>(file,
                                               mine_sql::MineConnectionOptions(file, options_.busyTimeoutMs));
    openedVersion_ = mine_sql::PrepareSchema(*db_);
}

MineStore::~MineStore() = default;

std::vector<MineList> MineStore::Lists()
{
    Statement lists(*db_, "SELECT name, (SELECT count(*) FROM entries WHERE list_id = lists.id) FROM lists "
                          "ORDER BY id");
    std::vector<MineList> out;
    while (lists.Step()) {
        out.push_back(MineList{lists.Text(0), static_cast<std::size_t>(lists.Int(1))});
    }
    return out;
}

bool MineStore::HasList(std::string_view name)
{
    Statement list(*db_, "SELECT 1 FROM lists WHERE name = ?1");
    return list.Bind(1, name).Step();
}

bool MineStore::CreateList(std::string_view name)
{
    if (name.empty()) {
        throw MineError(MineError::Kind::Failed, "A list needs a name.");
    }
    WriteTransaction transaction(*db_);
    Statement insert(*db_, "INSERT OR IGNORE INTO lists(name) VALUES(?1)");
    insert.Bind(1, name).Run();
    const bool created = db_->Changes() > 0;
    transaction.Commit();
    return created;
}

bool MineStore::DeleteList(std::string_view name)
{
    if (name == kFavouritesList) {
        throw MineError(MineError::Kind::Failed, "The list Favourites cannot be deleted.");
    }
    WriteTransaction transaction(*db_);
    Statement entries(*db_, "DELETE FROM entries WHERE list_id = (SELECT id FROM lists WHERE name = ?1)");
    entries.Bind(1, name).Run();
    Statement list(*db_, "DELETE FROM lists WHERE name = ?1");
    list.Bind(1, name).Run();
    const bool deleted = db_->Changes() > 0;
    transaction.Commit();
    return deleted;
}

std::optional<std::vector<MineEntry>> MineStore::Entries(std::string_view list)
{
    if (!HasList(list)) {
        return std::nullopt;
    }
    Statement entries(*db_, "SELECT company, added_at FROM entries WHERE list_id = "
                            "(SELECT id FROM lists WHERE name = ?1) ORDER BY rowid");
    entries.Bind(1, list);
    std::vector<MineEntry> out;
    while (entries.Step()) {
        out.push_back(MineEntry{NameFromStored(entries.Text(0)), entries.Int(1)});
    }
    return out;
}

bool MineStore::Add(std::string_view list, std::string_view companyName)
{
    WriteTransaction transaction(*db_);
    Statement id(*db_, "SELECT id FROM lists WHERE name = ?1");
    if (!id.Bind(1, list).Step()) {
        throw MineError(MineError::Kind::Failed, "There is no list named " + std::string(list) + ".");
    }
    Statement insert(*db_, "INSERT OR IGNORE INTO entries(list_id, company, added_at) VALUES(?1, ?2, ?3)");
    insert.Bind(1, id.Int(0))
        .Bind(2, StoredName(companyName))
        .Bind(3, options_.clock ? options_.clock() : SystemSeconds())
        .Run();
    const bool added = db_->Changes() > 0;
    transaction.Commit();
    return added;
}

bool MineStore::Remove(std::string_view list, std::string_view companyName)
{
    WriteTransaction transaction(*db_);
    Statement remove(*db_, "DELETE FROM entries WHERE list_id = (SELECT id FROM lists WHERE name = ?1) "
                           "AND company = ?2");
    remove.Bind(1, list).Bind(2, StoredName(companyName)).Run();
    const bool removed = db_->Changes() > 0;
    transaction.Commit();
    return removed;
}

std::vector<std::string> MineStore::ListsOf(std::string_view companyName)
{
    Statement lists(*db_, "SELECT lists.name FROM lists JOIN entries ON entries.list_id = lists.id "
                          "WHERE entries.company = ?1 ORDER BY lists.id");
    lists.Bind(1, StoredName(companyName));
    std::vector<std::string> out;
    while (lists.Step()) {
        out.push_back(lists.Text(0));
    }
    return out;
}

std::optional<std::string> MineStore::Note(std::string_view companyName)
{
    Statement note(*db_, "SELECT text FROM notes WHERE company = ?1");
    if (!note.Bind(1, StoredName(companyName)).Step()) {
        return std::nullopt;
    }
    return note.Text(0);
}

void MineStore::SetNote(std::string_view companyName, std::string_view text)
{
    WriteTransaction transaction(*db_);
    if (text.empty()) {
        Statement remove(*db_, "DELETE FROM notes WHERE company = ?1");
        remove.Bind(1, StoredName(companyName)).Run();
    } else {
        Statement upsert(*db_, "INSERT INTO notes(company, text) VALUES(?1, ?2) "
                               "ON CONFLICT(company) DO UPDATE SET text = excluded.text");
        upsert.Bind(1, StoredName(companyName)).Bind(2, text).Run();
    }
    transaction.Commit();
}

void MineStore::AddHistory(std::string_view companyName)
{
    const std::string stored = StoredName(companyName);
    WriteTransaction transaction(*db_);
    Statement newest(*db_, "SELECT company FROM history ORDER BY id DESC LIMIT 1");
    if (!newest.Step() || newest.Text(0) != stored) {
        Statement insert(*db_, "INSERT INTO history(company) VALUES(?1)");
        insert.Bind(1, stored).Run();
        Statement trim(*db_, "DELETE FROM history WHERE id <= (SELECT id FROM history ORDER BY id DESC "
                             "LIMIT 1 OFFSET ?1)");
        trim.Bind(1, static_cast<std::int64_t>(kHistoryLimit)).Run();
    }
    transaction.Commit();
}

std::vector<std::string> MineStore::History()
{
    Statement history(*db_, "SELECT company FROM history ORDER BY id DESC");
    std::vector<std::string> out;
    while (history.Step()) {
        out.push_back(NameFromStored(history.Text(0)));
    }
    return out;
}

} // namespace dorvanta
