#include "publisher/sqlite_db.h"

#include <sqlite3.h>

#include <utility>

namespace dorvanta::publisher {

namespace {

[[noreturn]] void Fail(sqlite3* db, std::string_view what)
{
    throw SqlError(std::string(what) + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

} // namespace

Database::Database(const std::filesystem::path& file, Mode mode)
{
    const int flags = mode == Mode::Write ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                          : SQLITE_OPEN_READWRITE; // WAL readers touch the -shm file
    if (sqlite3_open_v2(file.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqlError("Cannot open " + file.string() + ": " + message);
    }
    // An ingest holds the write lock for a while; readers in WAL mode are
    // never blocked by it, and a second writer waits instead of failing.
    sqlite3_busy_timeout(db_, 30000);
    Execute("PRAGMA foreign_keys=ON");
    if (mode == Mode::ReadOnly) {
        Execute("PRAGMA query_only=ON");
    }
}

Database::~Database()
{
    sqlite3_close(db_);
}

void Database::Execute(const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw SqlError(message);
    }
}

Statement Database::Prepare(std::string_view sql)
{
    return Statement(db_, sql);
}

std::int64_t Database::LastInsertId() const
{
    return sqlite3_last_insert_rowid(db_);
}

std::int64_t Database::Changes() const
{
    return sqlite3_changes64(db_);
}

Transaction::Transaction(Database& db, bool immediate) : db_(db)
{
    db_.Execute(immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction()
{
    if (open_) {
        try {
            db_.Execute("ROLLBACK");
        } catch (const SqlError&) {
            // SQLite rolls back by itself after some failures.
        }
    }
}

void Transaction::Commit()
{
    db_.Execute("COMMIT");
    open_ = false;
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db)
{
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK) {
        Fail(db, "Cannot prepare");
    }
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(std::exchange(other.stmt_, nullptr))
{
}

Statement& Statement::Bind(int index, std::int64_t value)
{
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) {
        Fail(db_, "Cannot bind");
    }
    return *this;
}

Statement& Statement::BindText(int index, std::string_view value)
{
    if (sqlite3_bind_text64(stmt_, index, value.data(), value.size(), SQLITE_TRANSIENT, SQLITE_UTF8) !=
        SQLITE_OK) {
        Fail(db_, "Cannot bind");
    }
    return *this;
}

Statement& Statement::BindBlob(int index, std::string_view value)
{
    // A zero-length blob is still a blob, never NULL.
    if (sqlite3_bind_blob64(stmt_, index, value.empty() ? "" : value.data(), value.size(),
                            SQLITE_TRANSIENT) != SQLITE_OK) {
        Fail(db_, "Cannot bind");
    }
    return *this;
}

Statement& Statement::BindNull(int index)
{
    if (sqlite3_bind_null(stmt_, index) != SQLITE_OK) {
        Fail(db_, "Cannot bind");
    }
    return *this;
}

bool Statement::Step()
{
    const int result = sqlite3_step(stmt_);
    if (result == SQLITE_ROW) {
        return true;
    }
    if (result == SQLITE_DONE) {
        return false;
    }
    Fail(db_, "Query failed");
}

void Statement::Run()
{
    while (Step()) {
    }
    Reset();
}

void Statement::Reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::int64_t Statement::Int(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

bool Statement::IsNull(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::string_view Statement::Bytes(int column) const
{
    const void* data = sqlite3_column_blob(stmt_, column);
    const int size = sqlite3_column_bytes(stmt_, column);
    return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size))
                : std::string_view();
}

} // namespace dorvanta::publisher
