#pragma once

// A thin RAII layer over SQLite's C API, shared by the user's lists and the
// publisher's master: the connection, prepared statements and a transaction
// that rolls back unless committed. Values reach SQL through bound parameters
// only. A failure throws sqlite::Error with SQLite's own code and message; a
// layer that reports failures in its own terms gives the connection a
// translator, which throws its exception instead.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace dorvanta::sqlite {

class Error : public std::runtime_error
{
public:
    // What was being done when SQLite refused.
    enum class Operation
    {
        Open,
        Prepare,
        Bind,
        Read,    // stepping a statement that changes nothing
        Write,   // stepping a statement that changes the file
        Execute, // statements run without parameters (schema, pragmas, BEGIN/COMMIT)
        Other    // raised by the caller, not by SQLite
    };

    // A failure the caller finds in the data itself (no SQLite code).
    explicit Error(const std::string& what) : std::runtime_error(what) {}
    Error(const std::string& what, int code, std::string sqliteMessage, Operation operation)
        : std::runtime_error(what), code_(code), sqliteMessage_(std::move(sqliteMessage)),
          operation_(operation)
    {
    }

    // The extended result code (SQLITE_BUSY_SNAPSHOT, ...); 0 when not from SQLite.
    int code() const { return code_; }
    // The primary result code (SQLITE_BUSY, SQLITE_CORRUPT, ...).
    int primaryCode() const { return code_ & 0xff; }
    const std::string& sqliteMessage() const { return sqliteMessage_; }
    Operation operation() const { return operation_; }

private:
    int code_ = 0;
    std::string sqliteMessage_;
    Operation operation_ = Operation::Other;
};

struct OpenOptions
{
    // Create the file when missing; otherwise a missing file fails to open.
    bool create = true;
    // How long a statement waits for a lock another connection holds.
    int busyTimeoutMs = 5000;
    // The caller never uses the connection from two threads at once, so
    // SQLite need not guard it with a mutex.
    bool singleThread = false;
    // Called with every failure before it is thrown; it may throw the
    // caller's own exception instead (it must not return normally to skip it).
    std::function<void(const Error&)> translate;
};

class Statement;

class Connection
{
public:
    Connection(const std::filesystem::path& file, OpenOptions options = {});
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }
    // The file as UTF-8 text, for messages.
    const std::string& fileName() const { return fileName_; }

    // Runs statements that take no parameters (schema, pragmas, BEGIN/COMMIT).
    void Execute(std::string_view sql);
    Statement Prepare(std::string_view sql);
    // Switches the file to the write-ahead log: readers go on reading the last
    // commit while a writer works. This rewrites the file's header, so a
    // caller that must leave a file untouched checks it first.
    void UseWriteAheadLog();

    std::int64_t LastInsertId() const;
    // Rows changed by the last statement.
    std::int64_t Changes() const;

    // Throws the Error for a result code of this connection (through the translator).
    [[noreturn]] void Fail(int code, Error::Operation operation, std::string_view what) const;

private:
    // Passes the error through the translator, then throws it.
    [[noreturn]] void Raise(const Error& error) const;

    sqlite3* db_ = nullptr;
    std::string fileName_;
    std::function<void(const Error&)> translate_;
};

class Statement
{
public:
    Statement(Connection& connection, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters are numbered from 1; texts and blobs are copied by SQLite.
    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, std::string_view text);
    Statement& BindBlob(int index, std::string_view bytes);

    // True while a row is ready; false at the end.
    bool Step();
    // Runs a statement that returns no rows, then makes it ready to run again.
    void Run();
    void Reset();

    std::int64_t Int(int column) const;
    bool IsNull(int column) const;
    // The bytes of a text or blob column, valid until the next Step.
    std::string_view Bytes(int column) const;
    std::string Text(int column) const { return std::string(Bytes(column)); }

private:
    // Throws for the result code of a bind; the statement otherwise.
    Statement& Bound(int code);

    const Connection* connection_;
    sqlite3_stmt* statement_ = nullptr;
};

// BEGIN IMMEDIATE takes the write lock at once (waiting for it as long as the
// busy timeout allows), so two writers never deadlock half-way through;
// Deferred is for a reader's consistent snapshot.
class Transaction
{
public:
    enum class Kind
    {
        Immediate,
        Deferred
    };
    explicit Transaction(Connection& connection, Kind kind = Kind::Immediate);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    Connection& connection_;
    bool open_ = true;
};

} // namespace dorvanta::sqlite
