#pragma once

// The publisher's master on the shared SQLite wrapper. Every value reaches SQL
// through a bound parameter: the texts that come from outside (identifiers,
// names, dates) are never pasted into a statement.

#include "sqlite/sqlite_connection.h"

#include <filesystem>

namespace dorvanta::publisher {

using SqlError = sqlite::Error;
using Statement = sqlite::Statement;
using Transaction = sqlite::Transaction;

class Database : public sqlite::Connection
{
public:
    enum class Mode
    {
        Write,   // creates the file and the tables when missing
        ReadOnly // the server's connections: queries only
    };
    Database(const std::filesystem::path& file, Mode mode);
};

} // namespace dorvanta::publisher
