#pragma once

// The connection to mine.sqlite: the shared SQLite wrapper, with every
// failure turned into a MineError whose kind says whether the file was
// locked, damaged or refused, and whose text the user can act on.

#include "mine/mine_error.h"
#include "sqlite/sqlite_connection.h"

#include <filesystem>

namespace dorvanta::mine_sql {

// Waits up to `busyTimeoutMs` for a lock another program holds.
sqlite::OpenOptions MineConnectionOptions(const std::filesystem::path& file, int busyTimeoutMs);

} // namespace dorvanta::mine_sql
