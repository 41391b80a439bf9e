#include "publisher/sqlite_db.h"

namespace dorvanta::publisher {

namespace {

sqlite::OpenOptions OptionsFor(Database::Mode mode)
{
    sqlite::OpenOptions options;
    // A reader opens the file read-write too: WAL readers touch the -shm file.
    options.create = mode == Database::Mode::Write;
    // An ingest holds the write lock for a while; readers in WAL mode are
    // never blocked by it, and a second writer waits instead of failing.
    options.busyTimeoutMs = 30000;
    // Each of the server's threads has a connection of its own.
    options.singleThread = true;
    return options;
}

} // namespace

Database::Database(const std::filesystem::path& file, Mode mode) : sqlite::Connection(file, OptionsFor(mode))
{
    // No table refers to another, so foreign-key checks would only cost
    // every request's connection a statement.
    if (mode == Mode::ReadOnly) {
        Execute("PRAGMA query_only=ON");
    }
}

} // namespace dorvanta::publisher
