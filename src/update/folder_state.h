#pragma once

#include "data/settings_store.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The state of one program folder's data: the date of its last company
// update and the installed version of each file of its Internet/. It
// describes that folder's database.db and Internet/ and nothing else, so it
// lives in the folder (state.ini) and not in the user's settings, which every
// folder of the user shares: a second folder, a portable copy or a folder
// made anew starts from nothing and asks for everything.
namespace dorvanta {

inline constexpr std::string_view kFolderStateFileName = "state.ini";

// The folder's state behind the settings store the updates use. It holds the
// binary value LastUpdate under kSettingsKey and one text value per file
// under kInternetSettingsKey; any other value is refused with SettingsError.
//
// state.ini is text, one value a line: "LastUpdate=" and the 8 stored bytes in
// hex, then "Internet\<name>=<version>" ("%", "=", "\" and control bytes of
// a name or version written %XX). Each write replaces the whole file by a
// rename, so a reader sees the old state or the new one, never half of it;
// writers of the same folder take turns on a lock in Temp/.
class FolderStateStore final : public SettingsStore
{
public:
    // `mirror`, when given, also receives every write (failures there are
    // ignored): the per-user folder keeps the user's own values up to date
    // for whatever else reads them. Nothing is read from it.
    explicit FolderStateStore(std::filesystem::path folder, SettingsStore* mirror = nullptr);

    std::optional<std::string> ReadString(std::string_view key, std::string_view name) override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(std::string_view key, std::string_view name) override;
    void WriteString(std::string_view key, std::string_view name, std::string_view value) override;
    void WriteBinary(std::string_view key, std::string_view name,
                     const std::vector<std::uint8_t>& value) override;

    // Whether the folder has a state file.
    bool Exists() const;

    // For a database.db just created or copied: LastUpdate becomes the date
    // of the new data, or none (the next company update asks from the first
    // day). The file versions stay, as the files of Internet/ do. Writes
    // nothing when there is no state yet and no date to give it.
    void ResetLastUpdate(const std::optional<std::vector<std::uint8_t>>& lastUpdate);

    // Stores several file versions with one write of the file.
    void WriteVersions(const std::map<std::string, std::string>& versions);

    // Creates the state file from the user's stored values: LastUpdate and
    // the versions of the files `names`. Only where no state file is yet
    // (a folder that an earlier version of the program kept); unreadable
    // values are left out.
    void Adopt(SettingsStore& user, const std::vector<std::string>& names);

private:
    struct State
    {
        std::optional<std::vector<std::uint8_t>> lastUpdate;
        std::map<std::string, std::string> versions;
    };
    State Load() const;
    // Loads the state under the folder's lock, lets `change` alter it and
    // writes it back; `change` returns false when there is nothing to write.
    template <typename Change> void Update(Change&& change);
    void Save(const State& state);

    std::filesystem::path folder_;
    SettingsStore* mirror_;
};

} // namespace dorvanta
