#pragma once

// Where the program's folder is: the one folder that holds database.db,
// bursa.db, icon/, Internet/, Help/ and Temp/ as the program sees them.
// Both faces decide it here at start-up and hand it to the core, which never
// looks it up itself. Standard C++ only: the command-line tool uses it
// without Qt.

#include <filesystem>
#include <string>
#include <vector>

namespace dorvanta {

// What the decision is made from. Empty paths stand for "not given".
struct ProgramFolderSources
{
    std::filesystem::path dirOption;        // --dir
    std::filesystem::path dirVariable;      // the environment variable DORVANTA_DIR
    std::filesystem::path executableFolder; // the folder of the running executable
    std::filesystem::path installedCopy;    // the read-only installed files (InstalledCopyFolder)
    std::filesystem::path perUserFolder;    // the user's own data folder of the program
};

struct PreparedProgramFolder
{
    std::filesystem::path folder;
    // What could not be created or copied, one line each; the program goes on
    // with what is there and the commands report a missing file themselves.
    std::vector<std::string> problems;
};

// The rule, in this order:
// 1. `--dir`, then DORVANTA_DIR, taken as they are.
// 2. An installed program (its installed copy lies apart from the executable,
//    as under /usr or in an unpacked package): the per-user folder, even when
//    the executable's folder happens to be writable (root, an unpacked tree),
//    because nothing may write into an installed tree.
// 3. A writable executable folder (the build tree, a portable copy).
// 4. Otherwise the per-user folder.
// In cases 2 and 4 the per-user folder is created and filled from the
// installed copy by FillFromInstalledCopy.
PreparedProgramFolder PrepareProgramFolder(const ProgramFolderSources& sources);

// Brings `folder` up to date from `installedCopy`, copying every file of it:
// - database.db and bursa.db only when `folder` has none yet, so the user's
//   updated databases survive every later install;
// - any other file (Internet/, icon/, Help/) when it is missing or the
//   installed one is newer than the user's copy, so a package upgrade brings
//   its newer start pages and banners while a file the update brought later
//   stays.
// A copy is written under a temporary name and then renamed, so that an
// interrupted start never leaves half a file under the real name; a copy
// keeps the time of its original. Returns the problems met; the other files
// are still copied.
std::vector<std::string> FillFromInstalledCopy(const std::filesystem::path& installedCopy,
                                               const std::filesystem::path& folder);

// Whether files can be created in `folder` (tried, not guessed from the
// permission bits).
bool IsWritableFolder(const std::filesystem::path& folder);

// The platform's side (program_folder_posix.cpp, program_folder_win32.cpp).

// The folder of the running executable; empty when the system cannot say.
std::filesystem::path ExecutableFolder();

// The read-only installed files for an executable in `executableFolder`:
// "../share/dorvanta" beside it on Linux, the executable's own folder on
// Windows. Empty when there is no such folder.
std::filesystem::path InstalledCopyFolder(const std::filesystem::path& executableFolder);

// The per-user data folder without Qt: $XDG_DATA_HOME/dorvanta (an absolute
// XDG_DATA_HOME only) or ~/.local/share/dorvanta on Linux,
// %LOCALAPPDATA%\Dorvanta on Windows; Qt's AppLocalDataLocation of the
// application "dorvanta" names the same folder. Empty when neither
// variable is set.
std::filesystem::path PerUserDataFolder();

// The value of an environment variable as a path; empty when unset.
std::filesystem::path EnvironmentPath(const char* name);

} // namespace dorvanta
