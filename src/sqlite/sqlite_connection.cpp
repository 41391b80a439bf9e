#include "sqlite/sqlite_connection.h"

#include "data/utf8_path.h"

#include <sqlite3.h>

namespace dorvanta::sqlite {

Connection::Connection(const std::filesystem::path& file, OpenOptions options)
    : fileName_(Utf8FromPath(file)), translate_(std::move(options.translate))
{
    // sqlite3_open_v2 takes UTF-8 on every system (on Windows it converts to
    // the wide API itself), never the system's narrow code page.
    int flags = SQLITE_OPEN_READWRITE | (options.create ? SQLITE_OPEN_CREATE : 0);
    flags |= options.singleThread ? SQLITE_OPEN_NOMUTEX : SQLITE_OPEN_FULLMUTEX;
    const int code = sqlite3_open_v2(fileName_.c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK) {
        const std::string reason = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        const int extended = db_ != nullptr ? sqlite3_extended_errcode(db_) : code;
        sqlite3_close(db_);
        db_ = nullptr;
        Raise(Error("Cannot open " + fileName_ + ": " + reason, extended, reason, Error::Operation::Open));
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, options.busyTimeoutMs);
}

Connection::~Connection()
{
    sqlite3_close(db_);
}

void Connection::Raise(const Error& error) const
{
    if (translate_) {
        translate_(error);
    }
    throw error;
}

void Connection::Fail(int code, Error::Operation operation, std::string_view what) const
{
    const std::string message = sqlite3_errmsg(db_);
    Raise(Error(what.empty() ? message : std::string(what) + ": " + message, code, message, operation));
}

void Connection::Execute(std::string_view sql)
{
    const std::string text(sql);
    const int code = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        Fail(code, Error::Operation::Execute, {});
    }
}

Statement Connection::Prepare(std::string_view sql)
{
    return Statement(*this, sql);
}

void Connection::UseWriteAheadLog()
{
    // The pragma answers with the mode now in force; a file that cannot take
    // the log (an in-memory one) keeps its journal, which is no failure.
    Statement wal(*this, "PRAGMA journal_mode = WAL");
    wal.Step();
}

std::int64_t Connection::LastInsertId() const
{
    return sqlite3_last_insert_rowid(db_);
}

std::int64_t Connection::Changes() const
{
    return sqlite3_changes64(db_);
}

Statement::Statement(Connection& connection, std::string_view sql) : connection_(&connection)
{
    const int code = sqlite3_prepare_v2(connection.handle(), sql.data(), static_cast<int>(sql.size()),
                                        &statement_, nullptr);
    if (code != SQLITE_OK) {
        connection.Fail(code, Error::Operation::Prepare, "Cannot prepare");
    }
}

Statement::~Statement()
{
    sqlite3_finalize(statement_);
}

Statement::Statement(Statement&& other) noexcept
    : connection_(other.connection_), statement_(std::exchange(other.statement_, nullptr))
{
}

Statement& Statement::Bound(int code)
{
    if (code != SQLITE_OK) {
        connection_->Fail(code, Error::Operation::Bind, "Cannot bind");
    }
    return *this;
}

Statement& Statement::Bind(int index, std::int64_t value)
{
    return Bound(sqlite3_bind_int64(statement_, index, value));
}

Statement& Statement::Bind(int index, std::string_view text)
{
    return Bound(
        sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
}

Statement& Statement::BindBlob(int index, std::string_view bytes)
{
    // A zero-length blob is still a blob, never NULL.
    return Bound(sqlite3_bind_blob64(statement_, index, bytes.empty() ? "" : bytes.data(), bytes.size(),
                                     SQLITE_TRANSIENT));
}

bool Statement::Step()
{
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) {
        return true;
    }
    if (code == SQLITE_DONE) {
        return false;
    }
    connection_->Fail(code,
                      sqlite3_stmt_readonly(statement_) ? Error::Operation::Read : Error::Operation::Write,
                      "Query failed");
}

void Statement::Run()
{
    while (Step()) {
    }
    Reset();
}

void Statement::Reset()
{
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t Statement::Int(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

bool Statement::IsNull(int column) const
{
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::string_view Statement::Bytes(int column) const
{
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return data != nullptr ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size))
                           : std::string_view();
}

Transaction::Transaction(Connection& connection, Kind kind) : connection_(connection)
{
    connection_.Execute(kind == Kind::Immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction()
{
    if (open_) {
        // SQLite rolls back by itself after some failures; then this one
        // fails harmlessly, and a destructor must not throw anyway.
        sqlite3_exec(connection_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Transaction::Commit()
{
    connection_.Execute("COMMIT");
    open_ = false;
}

} // namespace dorvanta::sqlite
