#pragma once

#include <filesystem>

namespace dorvanta {

// Names the application for Qt: "dorvanta", of no organisation. Qt's
// per-user folders are named after these, so that the window's data folder
// is the command-line tool's (PerUserDataFolder). The stored settings name
// their own place and do not depend on them.
void SetApplicationNames();

// The window's per-user data folder: Qt's AppLocalDataLocation, which is
// ~/.local/share/dorvanta (or $XDG_DATA_HOME/dorvanta) on Linux and
// %LOCALAPPDATA%\dorvanta on Windows once SetApplicationNames has run; a
// relative XDG_DATA_HOME is ignored, as PerUserDataFolder does.
std::filesystem::path QtPerUserDataFolder();

} // namespace dorvanta
