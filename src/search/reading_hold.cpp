#include "search/reading_hold.h"

namespace dorvanta {

namespace {

struct Held
{
};

} // namespace

bool ReadingHold::TryHold(const std::filesystem::path& file)
{
    file_.reset();
    try {
        file_.emplace(file, false);
        // The lock calls this instead of returning when another holder keeps
        // it from being granted at once; where the file system has no locks
        // it returns without one, and the window reads unguarded as before.
        file_->Lock(FileLock::Shared, [] { throw Held{}; });
        return true;
    } catch (const Held&) {
        file_.reset();
        return false;
    } catch (const FileError&) {
        file_.reset();
        return true;
    }
}

} // namespace dorvanta
