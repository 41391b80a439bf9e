#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The names under which the register's companies were published into the
// folder's database.db, kept beside it: a later snapshot blanks a name that
// no company is published under any more (a company renamed, struck off or
// gone from the register). One line per company, the registration number
// and the name (Windows-1250 bytes) joined by "^".
namespace dorvanta {

inline constexpr std::string_view kRegisterNamesFileName = "register.names";

// Held locked by the register import from start to end (never written).
inline constexpr std::string_view kRegisterLockFileName = "register.lock";

// The first line of the file, saying what it is.
inline constexpr std::string_view kRegisterNamesHeader =
    "# Dorvanta: registration number^name of each company published from the trade register";

std::string PublishedNameLine(std::string_view registration, std::string_view name);

// Calls `use` with the name of each line of `file`; nothing when the file is
// missing. Throws FileError when it cannot be read.
void ForEachPublishedName(const std::filesystem::path& file,
                          const std::function<void(std::string_view)>& use);

// Puts the bytes of `sources`, one after the other, in place of `target`
// through a temporary file and a rename, so that a reader never meets a
// partial file. Throws FileError.
void ReplaceWithConcatenation(const std::filesystem::path& target,
                              const std::vector<std::filesystem::path>& sources);

} // namespace dorvanta
