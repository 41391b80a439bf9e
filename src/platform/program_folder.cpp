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

    PreparedProgramFolder prepared{sources.perUserFolder, {}, true};
    if (prepared.folder.empty()) {
        // Searches and pages still work from the installed files; what would
        // write there fails with its own message.
        prepared.folder = sources.installedCopy.empty() ? sources.executableFolder : sources.installedCopy;
        prepared.perUser = false;
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
        prepared.problems =
            FillFromInstalledCopy(sources.installedCopy, prepared.folder, sources.userSettings);
    }
    return prepared;
}

} // namespace dorvanta
