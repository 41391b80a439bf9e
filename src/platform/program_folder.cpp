#include "platform/program_folder.h"

#include <fstream>
#include <random>
#include <system_error>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

// A name no other process picks at the same moment, for a file that is
// written first and renamed afterwards.
fs::path TemporaryBeside(const fs::path& target, std::string_view purpose)
{
    std::random_device random;
    fs::path name(".");
    name += target.filename();
    std::string suffix(".");
    suffix.append(purpose).append("-").append(std::to_string(random()));
    name += suffix;
    return target.parent_path() / name;
}

constexpr const char* kDatabaseNames[] = {"database.db", "bursa.db"};
constexpr const char* kFolderNames[] = {"icon", "Internet", "Help"};

// Paths are UTF-8 inside the program, whatever the system's own form.
std::string PathText(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string Problem(const std::string& what, const fs::path& path, const std::error_code& ec)
{
    return what + " " + PathText(path) + ": " + ec.message();
}

// Copies `source` to `target` through a temporary file. A database is never
// put over a file that appeared meanwhile (another instance starting at the
// same time may already be writing into it): a hard link publishes the copy
// only where no file is, and where the file system has no hard links the
// copy is renamed only when the name is still free.
void CopyWhole(const fs::path& source, const fs::path& target, bool replace,
               std::vector<std::string>& problems)
{
    const fs::path temporary = TemporaryBeside(target, "copying");
    std::error_code ec;
    fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec);
    if (!ec) {
        // The user's copy must be writable whatever the installed file's mode.
        fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    }
    fs::file_time_type time;
    if (!ec) {
        time = fs::last_write_time(source, ec);
    }
    if (!ec) {
        fs::last_write_time(temporary, time, ec);
    }
    if (!ec) {
        if (replace) {
            fs::rename(temporary, target, ec);
        } else {
            fs::create_hard_link(temporary, target, ec);
            std::error_code existsError;
            if (ec && !fs::exists(target, existsError)) {
                ec.clear();
                fs::rename(temporary, target, ec);
            } else {
                ec.clear();
            }
        }
    }
    if (ec) {
        problems.push_back(Problem("Cannot copy the installed file to", target, ec));
    }
    std::error_code ignored;
    fs::remove(temporary, ignored);
}

// Copies one installed file unless the user's copy is to be kept.
void BringUpToDate(const fs::path& installed, const fs::path& target, bool database,
                   std::vector<std::string>& problems)
{
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    if (ec) {
        problems.push_back(Problem("Cannot create the folder", target.parent_path(), ec));
        return;
    }
    if (fs::exists(target, ec)) {
        if (database) {
            return;
        }
        const auto installedTime = fs::last_write_time(installed, ec);
        const auto userTime = ec ? installedTime : fs::last_write_time(target, ec);
        if (ec || installedTime <= userTime) {
            return;
        }
    }
    CopyWhole(installed, target, !database, problems);
}

} // namespace

bool IsWritableFolder(const fs::path& folder)
{
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) {
        return false;
    }
    const fs::path probe = TemporaryBeside(folder / "write-test", "probe");
    bool writable = false;
    {
        std::ofstream file(probe, std::ios::binary | std::ios::trunc);
        writable = file.is_open();
    }
    fs::remove(probe, ec);
    return writable;
}

std::vector<std::string> FillFromInstalledCopy(const fs::path& installedCopy, const fs::path& folder)
{
    std::vector<std::string> problems;
    std::error_code ec;
    for (const char* name : kDatabaseNames) {
        if (fs::is_regular_file(installedCopy / name, ec)) {
            BringUpToDate(installedCopy / name, folder / name, true, problems);
        }
    }
    // Only the program's own folders: on Windows the installed copy is the
    // executable's folder, whose programs and libraries stay where they are.
    for (const char* name : kFolderNames) {
        const fs::path from = installedCopy / name;
        if (!fs::is_directory(from, ec)) {
            continue;
        }
        fs::recursive_directory_iterator entry(from, fs::directory_options::skip_permission_denied, ec);
        for (; !ec && entry != fs::recursive_directory_iterator(); entry.increment(ec)) {
            std::error_code typeError;
            if (entry->is_regular_file(typeError)) {
                BringUpToDate(entry->path(), folder / entry->path().lexically_relative(installedCopy), false,
                              problems);
            }
        }
        if (ec) {
            problems.push_back(Problem("Cannot read the installed files in", from, ec));
            ec.clear();
        }
    }
    return problems;
}

PreparedProgramFolder PrepareProgramFolder(const ProgramFolderSources& sources)
{
    std::error_code ec;
    // Absolute, so that the pages name their pictures by absolute path
    // whatever the working folder.
    for (const fs::path& given : {sources.dirOption, sources.dirVariable}) {
        if (!given.empty()) {
            const fs::path absolute = fs::absolute(given, ec);
            return {ec ? given : absolute.lexically_normal(), {}};
        }
    }
    const bool installedApart = !sources.installedCopy.empty() &&
                                !fs::equivalent(sources.installedCopy, sources.executableFolder, ec);
    if (!installedApart && IsWritableFolder(sources.executableFolder)) {
        return {sources.executableFolder, {}};
    }

    PreparedProgramFolder prepared{sources.perUserFolder, {}};
    if (prepared.folder.empty()) {
        // Searches and pages still work from the installed files; what would
        // write there fails with its own message.
        prepared.folder = sources.installedCopy.empty() ? sources.executableFolder : sources.installedCopy;
        prepared.problems.push_back("The folder for the user's data is unknown (no HOME, XDG_DATA_HOME or "
                                    "LOCALAPPDATA); reading from " +
                                    PathText(prepared.folder));
        return prepared;
    }
    fs::create_directories(prepared.folder, ec);
    if (ec) {
        prepared.problems.push_back(Problem("Cannot create the folder", prepared.folder, ec));
        return prepared;
    }
    // A per-user install may put the installed copy where the user's data
    // goes; it is then already the program's folder.
    if (!sources.installedCopy.empty() && !fs::equivalent(sources.installedCopy, prepared.folder, ec)) {
        prepared.problems = FillFromInstalledCopy(sources.installedCopy, prepared.folder);
    }
    return prepared;
}

} // namespace dorvanta
