#pragma once

// A thin RAII layer over SQLite's C API: the connection, prepared statements
// and a transaction that rolls back unless committed. Every failure becomes a
// MineError whose kind says whether the file was locked, damaged or refused.

#include "mine/mine_error.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace dorvanta::mine_sql {

class Connection
{
public:
    // Opens (creating when missing) the database at `path`, waiting up to
    // `busyTimeoutMs` for a lock another connection holds.
    Connection(const std::filesystem::path& path, int busyTimeoutMs);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* get() const { return db_; }
    const std::string& fileName() const { return fileName_; }

    // Rows changed by the last statement.
    int Changes() const;
    // Runs statements without results.
    void Exec(std::string_view sql);
    // Throws the MineError for a result code of this connection.
    [[noreturn]] void Fail(int code, std::string_view doing) const;

private:
    sqlite3* db_ = nullptr;
    std::string fileName_;
};

class Statement
{
public:
    Statement(Connection& connection, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::string_view text);
    Statement& Bind(int index, std::int64_t value);
    // Advances to the next row: false when there are no more.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();

    std::string Text(int column) const;
    std::int64_t Int(int column) const;
    bool IsNull(int column) const;

private:
    Connection& connection_;
    sqlite3_stmt* statement_ = nullptr;
};

// BEGIN IMMEDIATE: takes the write lock at once (waiting for it as long as
// the busy timeout allows), so two writers never deadlock half-way through.
class WriteTransaction
{
public:
    explicit WriteTransaction(Connection& connection);
    ~WriteTransaction();
    void Commit();

private:
    Connection& connection_;
    bool done_ = false;
};

} // namespace dorvanta::mine_sql
