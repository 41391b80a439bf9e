#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A thin RAII layer over SQLite's C API. Every value reaches SQL through a
// bound parameter: the texts that come from outside (identifiers, names,
// dates) are never pasted into a statement.
namespace dorvanta::publisher {

class SqlError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class Statement;

class Database
{
public:
    enum class Mode
    {
        Write,   // creates the file and the tables when missing
        ReadOnly // the server's connections: queries only
    };
    Database(const std::filesystem::path& file, Mode mode);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs statements that take no parameters (schema, pragmas, BEGIN/COMMIT).
    void Execute(const char* sql);
    Statement Prepare(std::string_view sql);
    std::int64_t LastInsertId() const;
    std::int64_t Changes() const;
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

// One transaction: committed by Commit, rolled back when left unfinished
// (an exception on the way), so a failed ingest records nothing.
class Transaction
{
public:
    explicit Transaction(Database& db, bool immediate = true);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    Database& db_;
    bool open_ = true;
};

class Statement
{
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;

    // Parameters are numbered from 1; texts and blobs are copied by SQLite.
    Statement& Bind(int index, std::int64_t value);
    Statement& BindText(int index, std::string_view value);
    Statement& BindBlob(int index, std::string_view value);
    Statement& BindNull(int index);

    // True while a row is ready; false at the end. Throws SqlError.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();
    void Reset();

    std::int64_t Int(int column) const;
    bool IsNull(int column) const;
    // The bytes of a text or blob column, valid until the next Step.
    std::string_view Bytes(int column) const;
    std::string Text(int column) const { return std::string(Bytes(column)); }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace dorvanta::publisher
