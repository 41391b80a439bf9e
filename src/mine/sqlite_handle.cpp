#include "mine/sqlite_handle.h"

#include "data/utf8_path.h"

#include <sqlite3.h>

namespace dorvanta::mine_sql {

namespace {

MineError::Kind KindOf(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return MineError::Kind::Locked;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return MineError::Kind::Damaged;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_READONLY:
        return MineError::Kind::CannotOpen;
    default:
        return MineError::Kind::Failed;
    }
}

} // namespace

Connection::Connection(const std::filesystem::path& path, int busyTimeoutMs)
{
    fileName_ = Utf8FromPath(path);
    const int code =
        sqlite3_open_v2(fileName_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code != SQLITE_OK) {
        const std::string reason = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        sqlite3_close(db_);
        db_ = nullptr;
        throw MineError(KindOf(code), "Cannot open the lists file " + fileName_ + ": " + reason);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, busyTimeoutMs);
}

Connection::~Connection()
{
    sqlite3_close(db_);
}

int Connection::Changes() const
{
    return sqlite3_changes(db_);
}

void Connection::Exec(std::string_view sql)
{
    const std::string text(sql);
    const int code = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        Fail(code, "update");
    }
}

void Connection::Fail(int code, std::string_view doing) const
{
    const MineError::Kind kind = KindOf(code);
    std::string text;
    switch (kind) {
    case MineError::Kind::Locked:
        text =
            "The lists file " + fileName_ + " is in use by another program; nothing was changed. Try again.";
        break;
    case MineError::Kind::Damaged:
        text = "The lists file " + fileName_ +
               " is damaged or is not a lists file; it was left as it is (keep a copy before replacing it).";
        break;
    default:
        text = "Cannot " + std::string(doing) + " the lists file " + fileName_ + ": " + sqlite3_errmsg(db_);
        break;
    }
    throw MineError(kind, text);
}

Statement::Statement(Connection& connection, std::string_view sql) : connection_(connection)
{
    const int code =
        sqlite3_prepare_v2(connection.get(), sql.data(), static_cast<int>(sql.size()), &statement_, nullptr);
    if (code != SQLITE_OK) {
        connection.Fail(code, "read");
    }
}

Statement::~Statement()
{
    sqlite3_finalize(statement_);
}

Statement& Statement::Bind(int index, std::string_view text)
{
    const int code =
        sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    if (code != SQLITE_OK) {
        connection_.Fail(code, "read");
    }
    return *this;
}

Statement& Statement::Bind(int index, std::int64_t value)
{
    const int code = sqlite3_bind_int64(statement_, index, value);
    if (code != SQLITE_OK) {
        connection_.Fail(code, "read");
    }
    return *this;
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
    connection_.Fail(code, sqlite3_stmt_readonly(statement_) ? "read" : "write to");
}

void Statement::Run()
{
    while (Step()) {
    }
}

std::string Statement::Text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text != nullptr
               ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
               : std::string();
}

std::int64_t Statement::Int(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

bool Statement::IsNull(int column) const
{
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

WriteTransaction::WriteTransaction(Connection& connection) : connection_(connection)
{
    connection_.Exec("BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction()
{
    if (!done_) {
        sqlite3_exec(connection_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void WriteTransaction::Commit()
{
    connection_.Exec("COMMIT");
    done_ = true;
}

} // namespace dorvanta::mine_sql
