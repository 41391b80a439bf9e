#pragma once

#include "data/settings_store.h"

#include <filesystem>
#include <memory>
#include <optional>

class QSettings;
class QVariant;

namespace dorvanta {

// The stored values on QSettings.
//
// Keys: "Software\\Dorvanta\\" is the top level of the store and every further
// level below it is a group, so "Software\\Dorvanta\\Internet\\" is the group
// "Internet" (with or without the trailing backslash, the prefix compared
// without regard to case, as the registry does). A key outside
// "Software\\Dorvanta" is refused with SettingsError.
//
// Value names are kept as they are, except that "%", "/" and "\\" are written
// "%25", "%2F" and "%5C", because QSettings reads the slashes as group
// separators. An empty name is refused with SettingsError.
//
// Types: strings are stored as text whose characters are the bytes (Latin-1),
// so every single-byte text comes back unchanged; a stored text with a
// character beyond U+00FF cannot be such a text and reads as SettingsError.
// Binary values are stored as byte arrays. Reading a value stored with the
// other type (or as a list, a number in the registry, ...) is a SettingsError.
// An INI file keeps no number type: a number there reads as its text.
//
// Every operation opens the store afresh, so values written by another
// instance or program are seen. A write that cannot be saved throws
// SettingsError and leaves the value as it was before.
class QtSettingsStore final : public SettingsStore
{
public:
    // The current user's native store: on Windows the registry key
    // HKEY_CURRENT_USER\Software\Dorvanta; elsewhere the file of organisation
    // and application "Dorvanta" in the user's configuration folder (for
    // example ~/.config/Dorvanta/Dorvanta.conf).
    QtSettingsStore();
    // An INI file at `iniFile`, created with its folders on the first write.
    explicit QtSettingsStore(std::filesystem::path iniFile);
    ~QtSettingsStore() override;

    std::optional<std::string> ReadString(std::string_view key, std::string_view name) override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(std::string_view key, std::string_view name) override;
    void WriteString(std::string_view key, std::string_view name, std::string_view value) override;
    void WriteBinary(std::string_view key, std::string_view name,
                     const std::vector<std::uint8_t>& value) override;

private:
    std::unique_ptr<QSettings> Open() const;
    std::optional<QVariant> Read(std::string_view key, std::string_view name) const;
    void Write(std::string_view key, std::string_view name, const QVariant& value);

    std::optional<std::filesystem::path> iniFile_;
};

} // namespace dorvanta
