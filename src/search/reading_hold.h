#pragma once

#include "data/file_access.h"

#include <filesystem>
#include <optional>

namespace dorvanta {

// How the window reads a database file without ever waiting for an import
// that writes it (a register import holds the file for most of a minute): a
// shared lock taken only when it is free now. While it is held no import can
// start writing, so the search's or the page's own shared lock is granted at
// once.
class ReadingHold
{
public:
    // False when an import or update is writing `file` now. A file that is
    // missing or cannot be opened gives true without a hold: the search or
    // page itself then says what is wrong.
    bool TryHold(const std::filesystem::path& file);

private:
    std::optional<FileHandle> file_;
};

} // namespace dorvanta
