#pragma once

#include "data/language.h"

#include <filesystem>

namespace dorvanta {

// What the rooms of the window share and only the window changes.
struct WindowState
{
    std::filesystem::path programFolder;
    Language language = Language::EN;
    // Set once the main window has been shown for the first time.
    bool mainShown = false;
    // The search options of the Settings popup.
    bool ignoreDiacritics = false;
    bool searchAsYouType = false;
};

} // namespace dorvanta
