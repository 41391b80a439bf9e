// The program's folder on Linux and other systems with /proc and the XDG
// folders; program_folder_win32.cpp is the Windows side.
#include "platform/program_folder.h"

#include <cstdlib>
#include <system_error>

namespace dorvanta {

namespace fs = std::filesystem;

fs::path ExecutableFolder()
{
    std::error_code ec;
    const fs::path executable = fs::canonical("/proc/self/exe", ec);
    return ec ? fs::path() : executable.parent_path();
}

fs::path InstalledCopyFolder(const fs::path& executableFolder)
{
    if (executableFolder.empty()) {
        return {};
    }
    const fs::path installed = (executableFolder / ".." / "share" / "dorvanta").lexically_normal();
    std::error_code ec;
    return fs::is_directory(installed, ec) ? installed : fs::path();
}

fs::path EnvironmentPath(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? fs::path(value) : fs::path();
}

fs::path PerUserDataFolder()
{
    // A relative XDG_DATA_HOME is to be ignored, as Qt and the XDG rules do.
    const fs::path dataHome = EnvironmentPath("XDG_DATA_HOME");
    if (dataHome.is_absolute()) {
        return dataHome / "dorvanta";
    }
    const fs::path home = EnvironmentPath("HOME");
    return home.empty() ? fs::path() : home / ".local" / "share" / "dorvanta";
}

} // namespace dorvanta
