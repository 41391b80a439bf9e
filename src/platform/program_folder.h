#pragma once

// Where the program's folder is: the one folder that holds database.db,
// bursa.db, icon/, Internet/, Help/ and Temp/ as the program sees them.
// Both faces decide it here at start-up and hand it to the core, which never
// looks it up itself. Standard C++ only: the command-line tool uses it
// without Qt.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta {

class SettingsStore;

// The versions of the installed copy's files of Internet/, in the manifest's
// lines ("!" version ";" name ";"), read when a per-user folder is filled;
// never copied into it.
inline constexpr std::string_view kPackageVersionsFileName = "update.txt";

// What the decision is made from. Empty paths stand for "not given".
struct ProgramFolderSources
{
    std::filesystem::path dirOption;        // --dir
    std::filesystem::path dirVariable;      // the environment variable DORVANTA_DIR
    std::filesystem::path executableFolder; // the folder of the running executable
    std::filesystem::path installedCopy;    // the read-only installed files (InstalledCopyFolder)
    std::filesystem::path perUserFolder;    // the user's own data folder of the program
    // The user's stored values: the per-user folder adopts them once, and its
    // state is written there too (FolderStateStore). Null: neither.
    SettingsStore* userSettings = nullptr;
};

struct PreparedProgramFolder
{
    std::filesystem::path folder;
    // What could not be created or copied, one line each; the program goes on
    // with what is there and the commands report a missing file themselves.
    std::vector<std::string> problems;
    // The per-user folder (cases 2 and 4 below), whose state the user's
    // stored values mirror.
    bool perUser = false;
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
//   updated databases survive every later install. A database.db copied
//   anew starts the folder's state anew: its date is the installed copy's
//   (its state.ini), or none, so the next company update asks for everything.
// - a file of Internet/ when it is missing, or when the installed copy's
//   version of it (kPackageVersionsFileName) is higher than the version the
//   folder has stored: a package's file time is when it was built, not how
//   new its content is, so a start page an update brought later stays. The
//   copied file's version is stored.
// - any other file (icon/, Help/), which only packages bring, when it is
//   missing or the installed one is newer than the user's copy.
// A folder with data but no state of its own yet (kept by an earlier version
// of the program) first takes the user's stored values, once.
// A copy is written under a name of its own, locked while it is written, and
// then renamed, so that an interrupted start never leaves half a file under
// the real name; the partial copies of starts that were killed are removed
// first (a copy another start is still writing is locked and stays). A copy
// keeps the time of its original. Returns the problems met, a full disk
// named as such; the other files are still copied.
std::vector<std::string> FillFromInstalledCopy(const std::filesystem::path& installedCopy,
                                               const std::filesystem::path& folder,
                                               SettingsStore* userSettings = nullptr);

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

// The user's own lists (mine.sqlite), beside the user's settings; empty when
// the system names no such place.
std::filesystem::path MineDatabaseFile();

// The value of an environment variable as a path; empty when unset.
std::filesystem::path EnvironmentPath(const char* name);

} // namespace dorvanta
