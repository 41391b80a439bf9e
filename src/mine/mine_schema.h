#pragma once

#include "sqlite/sqlite_connection.h"

namespace dorvanta::mine_sql {

// Brings the database to the current schema and turns on the write-ahead
// log. Returns the version the file had. A file of a later version, or one
// that holds tables of something else, is refused before anything is written.
int PrepareSchema(sqlite::Connection& connection);

// The schema of version 1 alone, for the test of the migration from it.
void CreateSchemaVersion1(sqlite::Connection& connection);

} // namespace dorvanta::mine_sql
