#pragma once

#include "data/file_access.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dorvanta {

// A file that is being written and must not outlive its writer: a download
// under Temp/, the company answer, a copy of an installed database on its
// way to its real name. It is created new under a name of its own (so two
// programs at once never share one) and kept under an exclusive lock for its
// whole life; the object removes it when it goes, on every path. A writer
// that is killed cannot remove it, but the system drops its lock, so
// RemoveLeftovers can later tell that file from one still being written.
// Throws FileError when the file cannot be created.
class InFlightFile
{
public:
    // Named `prefix` + a random number + `suffix` in `folder`.
    InFlightFile(const std::filesystem::path& folder, std::string_view prefix, std::string_view suffix);
    ~InFlightFile();
    InFlightFile(const InFlightFile&) = delete;
    InFlightFile& operator=(const InFlightFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // The open, locked file, for writing into it directly.
    FileHandle& file() { return *file_; }

    // Renames the file to `target` (replacing it) and lets it go: it is no
    // longer removed. Throws std::filesystem::filesystem_error when the
    // rename fails; the file is then still removed when the object goes.
    void Publish(const std::filesystem::path& target);

    // Links the file to `target` only where no file of that name is, and lets
    // it go. False, and the file kept for removal, when `target` exists.
    // Throws std::filesystem::filesystem_error on other failures. For a
    // database, which must never be put over one another program may
    // already be writing.
    bool PublishIfAbsent(const std::filesystem::path& target);

private:
    std::filesystem::path path_;
    std::optional<FileHandle> file_;
    bool published_ = false;
};

// Removes the files of `folder` named `prefix`...`suffix` that no running
// program writes: each is locked before it is removed, so a file that
// another program still holds stays. Returns how many were removed; never
// throws (what cannot be removed now is tried again next time).
std::size_t RemoveLeftovers(const std::filesystem::path& folder, std::string_view prefix,
                            std::string_view suffix);

} // namespace dorvanta
