#include "data/in_flight_file.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

bool NameFits(const std::string& name, std::string_view prefix, std::string_view suffix)
{
    return name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) && name.ends_with(suffix);
}

} // namespace

InFlightFile::InFlightFile(const fs::path& folder, std::string_view prefix, std::string_view suffix)
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path path = folder / (std::string(prefix) + std::to_string(random()) + std::string(suffix));
        // "x" fails when the file exists, so the name is ours alone.
        errno = 0;
        std::FILE* created = OpenStdioFile(path, "wbx");
        if (!created) {
            if (errno != EEXIST) {
                throw FileError(path, "Cannot create", errno);
            }
            continue;
        }
        std::fclose(created);
        std::optional<FileHandle> file;
        try {
            file.emplace(path, false);
            file->Lock(FileLock::Exclusive);
        } catch (const FileError&) {
            // Taken away between creating and locking it: by the clean-up of
            // another program, which may only remove files nobody locks.
            file.reset();
            std::error_code ec;
            if (fs::exists(path, ec)) {
                fs::remove(path, ec);
                throw;
            }
            continue;
        }
        // The clean-up of another program may have locked and removed the
        // file before we locked it: then we hold a file without a name.
        std::error_code ec;
        if (!fs::exists(path, ec)) {
            continue;
        }
        path_ = std::move(path);
        file_.emplace(std::move(*file));
        return;
    }
    throw FileError(folder / std::string(prefix), "Cannot create");
}

InFlightFile::~InFlightFile()
{
    if (published_) {
        return;
    }
    std::error_code ec;
    // Removed while still locked, so no clean-up can take it for a leftover
    // and no writer can be handed the name before it is gone.
    fs::remove(path_, ec);
    try {
        file_.reset();
    } catch (...) {
    }
}

void InFlightFile::Publish(const fs::path& target)
{
    fs::rename(path_, target);
    published_ = true;
    file_.reset();
}

bool InFlightFile::PublishIfAbsent(const fs::path& target)
{
    std::error_code ec;
    fs::create_hard_link(path_, target, ec);
    if (ec) {
        std::error_code existsError;
        if (fs::exists(target, existsError)) {
            return false;
        }
        // A file system without hard links: rename, as long as the name is
        // still free (a small window another start could still fall into).
        fs::rename(path_, target);
        published_ = true;
        file_.reset();
        return true;
    }
    fs::remove(path_, ec);
    published_ = true;
    file_.reset();
    return true;
}

std::size_t RemoveLeftovers(const fs::path& folder, std::string_view prefix, std::string_view suffix)
{
    std::size_t removed = 0;
    std::error_code ec;
    fs::directory_iterator entry(folder, ec);
    for (; !ec && entry != fs::directory_iterator(); entry.increment(ec)) {
        const std::u8string name8 = entry->path().filename().u8string();
        const std::string name(name8.begin(), name8.end());
        std::error_code typeError;
        if (!NameFits(name, prefix, suffix) || !entry->is_regular_file(typeError)) {
            continue;
        }
        try {
            FileHandle file(entry->path(), false);
            if (!file.TryLock(FileLock::Exclusive)) {
                continue; // still being written, or no locks here to tell
            }
            std::error_code removeError;
            if (fs::remove(entry->path(), removeError)) {
                ++removed;
            }
        } catch (const std::exception&) {
            // Gone meanwhile, or not ours to open: left for next time.
        }
    }
    return removed;
}

} // namespace dorvanta
