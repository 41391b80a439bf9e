#include "mine/mine_connection.h"

#include "data/utf8_path.h"

#include <sqlite3.h>

#include <string>

namespace dorvanta::mine_sql {

namespace {

MineError::Kind KindOf(int primaryCode)
{
    switch (primaryCode) {
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

const char* Doing(sqlite::Error::Operation operation)
{
    switch (operation) {
    case sqlite::Error::Operation::Write:
        return "write to";
    case sqlite::Error::Operation::Execute:
        return "update";
    default:
        return "read";
    }
}

[[noreturn]] void Translate(const std::string& fileName, const sqlite::Error& error)
{
    const MineError::Kind kind = KindOf(error.primaryCode());
    if (error.operation() == sqlite::Error::Operation::Open) {
        throw MineError(kind, "Cannot open the lists file " + fileName + ": " + error.sqliteMessage());
    }
    switch (kind) {
    case MineError::Kind::Locked:
        throw MineError(kind, "The lists file " + fileName +
                                  " is in use by another program; nothing was changed. Try again.");
    case MineError::Kind::Damaged:
        throw MineError(kind, "The lists file " + fileName +
                                  " is damaged or is not a lists file; it was left as it is (keep a copy "
                                  "before replacing it).");
    default:
        throw MineError(kind, "Cannot " + std::string(Doing(error.operation())) + " the lists file " +
                                  fileName + ": " + error.sqliteMessage());
    }
}

} // namespace

sqlite::OpenOptions MineConnectionOptions(const std::filesystem::path& file, int busyTimeoutMs)
{
    sqlite::OpenOptions options;
    options.busyTimeoutMs = busyTimeoutMs;
    options.translate = [fileName = Utf8FromPath(file)](const sqlite::Error& error) {
        Translate(fileName, error);
    };
    return options;
}

} // namespace dorvanta::mine_sql
