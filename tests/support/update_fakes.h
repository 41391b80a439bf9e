#pragma once

// In-memory stand-ins for the settings store and the update's progress sink,
// shared by the update tests.
#include "data/settings_store.h"
#include "import/update_progress.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta::test {

// The settings store in memory; `broken` makes every call fail as an
// unreadable store does.
class MemorySettings : public SettingsStore
{
public:
    std::optional<std::string> ReadString(std::string_view key, std::string_view name) override
    {
        Check();
        const auto it = strings.find(Key(key, name));
        return it == strings.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::optional<std::vector<std::uint8_t>> ReadBinary(std::string_view key, std::string_view name) override
    {
        Check();
        const auto it = binaries.find(Key(key, name));
        return it == binaries.end() ? std::nullopt : std::optional<std::vector<std::uint8_t>>(it->second);
    }
    void WriteString(std::string_view key, std::string_view name, std::string_view value) override
    {
        Check();
        strings[Key(key, name)] = std::string(value);
    }
    void WriteBinary(std::string_view key, std::string_view name,
                     const std::vector<std::uint8_t>& value) override
    {
        Check();
        binaries[Key(key, name)] = value;
    }

    static std::string Key(std::string_view key, std::string_view name)
    {
        return std::string(key) + std::string(name);
    }
    std::string Version(std::string_view name) const
    {
        const auto it = strings.find(Key(kInternetSettingsKey, name));
        return it == strings.end() ? "<none>" : it->second;
    }
    std::optional<std::vector<std::uint8_t>> LastUpdate() const
    {
        const auto it = binaries.find(Key(kSettingsKey, kLastUpdateValue));
        return it == binaries.end() ? std::nullopt : std::optional<std::vector<std::uint8_t>>(it->second);
    }

    std::map<std::string, std::string> strings;
    std::map<std::string, std::vector<std::uint8_t>> binaries;
    bool broken = false;

private:
    void Check() const
    {
        if (broken) {
            throw SettingsError("store unavailable");
        }
    }
};

class StatusProgress : public UpdateProgress
{
public:
    void SetGaugeMaximum(int) override {}
    void SetGaugePosition(int) override {}
    void SetStatus(const std::string& text) override { status = text; }
    void ShowInformation(const std::string& text) override { boxes.push_back(text); }
    void ShowUpdateProgress() override { ++shown; }
    void HideUpdateProgress() override { ++hidden; }
    void SetDialogGaugeMaximum(int) override {}
    void SetDialogGaugePosition(int) override {}

    std::string status = "<untouched>";
    std::vector<std::string> boxes;
    int shown = 0;
    int hidden = 0;
};

} // namespace dorvanta::test
