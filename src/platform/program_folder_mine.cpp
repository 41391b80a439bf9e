// Where the user's own lists live: beside the user's settings, not in the
// data folder, so that resetting or replacing the data never deletes a note
// and every data folder of the same user shares the lists.

#include "platform/program_folder.h"

namespace dorvanta {

std::filesystem::path MineDatabaseFile()
{
#ifdef _WIN32
    // The settings are in the registry; the roaming application data is the
    // user's own, apart from the data folder under LOCALAPPDATA.
    const std::filesystem::path appData = EnvironmentPath("APPDATA");
    return appData.empty() ? std::filesystem::path() : appData / L"Dorvanta" / L"mine.sqlite";
#else
    // QSettings keeps ours in $XDG_CONFIG_HOME/Dorvanta (a relative value ignored, as Qt does).
    const std::filesystem::path configHome = EnvironmentPath("XDG_CONFIG_HOME");
    if (configHome.is_absolute()) {
        return configHome / "Dorvanta" / "mine.sqlite";
    }
    const std::filesystem::path home = EnvironmentPath("HOME");
    return home.empty() ? std::filesystem::path() : home / ".config" / "Dorvanta" / "mine.sqlite";
#endif
}

} // namespace dorvanta
