#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta {

// A failure of the settings store, including a value of the wrong type.
class SettingsError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The per-user stored values, addressed as registry keys and value names:
// key "Software\\Dorvanta\\" holds "Language" (string) and "LastUpdate"
// (8 bytes); key "Software\\Dorvanta\\Internet\\" holds one string per
// auxiliary file. Implementations create keys when missing.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // Missing value: nullopt. A value of another type, or a store that cannot
    // be read: SettingsError.
    virtual std::optional<std::string> ReadString(std::string_view key, std::string_view name) = 0;
    virtual std::optional<std::vector<std::uint8_t>> ReadBinary(std::string_view key, std::string_view name) = 0;

    // Replace any earlier value of any type. Throw SettingsError on failure.
    virtual void WriteString(std::string_view key, std::string_view name, std::string_view value) = 0;
    virtual void WriteBinary(std::string_view key, std::string_view name, const std::vector<std::uint8_t>& value) = 0;
};

inline constexpr std::string_view kSettingsKey = "Software\\Dorvanta\\";
inline constexpr std::string_view kInternetSettingsKey = "Software\\Dorvanta\\Internet\\";
inline constexpr std::string_view kLanguageValue = "Language";
inline constexpr std::string_view kLastUpdateValue = "LastUpdate";

}  // namespace dorvanta
