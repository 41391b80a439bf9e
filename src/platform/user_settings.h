#pragma once

#include "data/settings_store.h"

#include <memory>

namespace dorvanta {

// The current user's store of the platform: the registry under
// HKEY_CURRENT_USER\Software\Dorvanta on Windows (registry_settings_store.h),
// QSettings elsewhere (qt_settings_store.h).
std::unique_ptr<SettingsStore> OpenUserSettings();

} // namespace dorvanta
