#pragma once

#include "data/settings_store.h"

#include <string>

namespace dorvanta {

// The stored values in the Windows registry, under HKEY_CURRENT_USER, as the
// program has always kept them: strings as REG_SZ, binary values (the 8-byte
// "LastUpdate") as REG_BINARY. Keys are given from "Software\\Dorvanta\\"
// (compared without regard to case, as the registry does); a key outside it is
// refused with SettingsError. Strings are Windows-1250 bytes in the program
// and UTF-16 in the registry; a stored character the code page lacks reads as
// SettingsError, as does a value of the other type. Every operation opens the
// key afresh, so values written by another program are seen.
class RegistrySettingsStore final : public SettingsStore
{
public:
    // `base` replaces "Software\\Dorvanta" (the tests keep their own key).
    explicit RegistrySettingsStore(std::wstring base = L"Software\\Dorvanta");

    std::optional<std::string> ReadString(std::string_view key, std::string_view name) override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(std::string_view key, std::string_view name) override;
    void WriteString(std::string_view key, std::string_view name, std::string_view value) override;
    void WriteBinary(std::string_view key, std::string_view name,
                     const std::vector<std::uint8_t>& value) override;

    // Removes the base key with everything below it.
    void RemoveAll();

private:
    std::wstring SubKey(std::string_view key) const;
    std::optional<std::vector<std::uint8_t>> Read(std::string_view key, std::string_view name,
                                                  unsigned long type);
    void Write(std::string_view key, std::string_view name, unsigned long type, const void* data,
               std::size_t size);

    std::wstring base_;
};

} // namespace dorvanta
