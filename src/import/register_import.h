#pragma once

#include "data/language.h"
#include "import/register_lines.h"
#include "import/update_progress.h"

#include <cstdint>
#include <filesystem>

// A snapshot of the trade register applied to the folder's database.db by
// the record import of the updates, so that identity, replacement, blanking,
// locking and the failure rules are the update's.
namespace dorvanta {

struct RegisterImportOutcome
{
    RegisterReport report;
    bool createdDatabase = false; // database.db was missing and was created empty
    // Records of database.db before and after: the "!" lines that added a
    // record are the difference, the others replaced one.
    std::uint64_t recordsBefore = 0;
    std::uint64_t recordsAfter = 0;
};

// Reads the snapshot in `snapshot`, writes its lines to a temporary file under
// the folder's Temp/ and applies them with ImportCompanies. database.db is
// created when missing; the date of the last company update is left alone.
// The names published are kept in register.names (register_names.h), written
// whole or not at all: before the lines are applied it holds the old and the
// new names, so that an import cut short still blanks what it may have
// published; after, only the new ones.
//
// Throws RegisterFormatError for a snapshot without a required file or
// column, FileError when a file cannot be read or written (the lines applied
// before stay applied, as in an update).
RegisterImportOutcome ImportRegister(const std::filesystem::path& programFolder,
                                     const std::filesystem::path& snapshot, bool allStates,
                                     ImportProgress& progress, RegisterReadProgress* reading,
                                     Language language);

} // namespace dorvanta
