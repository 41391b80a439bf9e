#include "mine/mine_schema.h"

#include "mine/mine_store.h"

#include <string>

namespace dorvanta::mine_sql {

using sqlite::Connection;
using sqlite::Statement;
using WriteTransaction = sqlite::Transaction;

namespace {

int UserVersion(Connection& connection)
{
    Statement version(connection, "PRAGMA user_version");
    return version.Step() ? static_cast<int>(version.Int(0)) : 0;
}

bool HasTables(Connection& connection)
{
    Statement tables(connection, "SELECT count(*) FROM sqlite_master");
    return tables.Step() && tables.Int(0) > 0;
}

void CreateVersion1Tables(Connection& connection)
{
    connection.Execute("CREATE TABLE lists(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);"
                       "CREATE TABLE entries(list_id INTEGER NOT NULL, company TEXT NOT NULL,"
                       " PRIMARY KEY(list_id, company));"
                       "CREATE INDEX entries_company ON entries(company);"
                       "CREATE TABLE notes(company TEXT PRIMARY KEY, text TEXT NOT NULL);"
                       "CREATE TABLE history(id INTEGER PRIMARY KEY AUTOINCREMENT, company TEXT NOT NULL);");
    Statement favourites(connection, "INSERT INTO lists(name) VALUES(?1)");
    favourites.Bind(1, kFavouritesList).Run();
    connection.Execute("PRAGMA user_version = 1");
}

// Version 2: the date an entry was added (0 for the entries already there).
void MigrateTo2(Connection& connection)
{
    connection.Execute("ALTER TABLE entries ADD COLUMN added_at INTEGER NOT NULL DEFAULT 0;"
                       "PRAGMA user_version = 2");
}

[[noreturn]] void RefuseNewer(const Connection& connection, int version)
{
    throw MineError(MineError::Kind::Newer, "The lists file " + connection.fileName() +
                                                " was written by a newer "
                                                "version of Dorvanta (schema " +
                                                std::to_string(version) + ", this program knows up to " +
                                                std::to_string(kMineSchemaVersion) +
                                                "); it was left unchanged. Update the program to use it.");
}

[[noreturn]] void RefuseForeign(const Connection& connection)
{
    throw MineError(MineError::Kind::Damaged, "The file " + connection.fileName() +
                                                  " is not a Dorvanta lists file; it was left unchanged.");
}

} // namespace

void CreateSchemaVersion1(Connection& connection)
{
    WriteTransaction transaction(connection);
    CreateVersion1Tables(connection);
    transaction.Commit();
}

int PrepareSchema(Connection& connection)
{
    // Read before anything is written: even the switch to the write-ahead
    // log rewrites the file's header, and a newer file is not ours to touch.
    // (A file that is not a database fails here, as Damaged.)
    const int found = UserVersion(connection);
    if (found > kMineSchemaVersion) {
        RefuseNewer(connection, found);
    }
    if (found == 0 && HasTables(connection)) {
        RefuseForeign(connection);
    }
    if (found < kMineSchemaVersion) {
        WriteTransaction transaction(connection);
        // Another program may have created or migrated it in the meantime.
        const int now = UserVersion(connection);
        if (now > kMineSchemaVersion) {
            RefuseNewer(connection, now);
        }
        if (now == 0) {
            if (HasTables(connection)) {
                RefuseForeign(connection);
            }
            CreateVersion1Tables(connection);
        }
        if (now < 2) {
            MigrateTo2(connection);
        }
        transaction.Commit();
    }
    connection.UseWriteAheadLog();
    return found;
}

} // namespace dorvanta::mine_sql
