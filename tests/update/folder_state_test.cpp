// The state of a folder's data kept in the folder: what the updates store
// there comes back exactly, from another program too, and nothing else is
// taken for it.
#include "update/folder_state.h"

#include "support/temp_dir.h"
#include "support/update_fakes.h"
#include "update/manifest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;

TEST(FolderState, ValuesComeBackExactlyFromTheFolderAndTheUsersStoreOnlyFollows)
{
    test::TempDir dir;
    test::MemorySettings user;
    FolderStateStore state(dir.path(), &user);
    EXPECT_EQ(state.ReadBinary(kSettingsKey, kLastUpdateValue), std::nullopt);
    EXPECT_EQ(ReadFileVersion(state, "a.htm"), -1);
    EXPECT_FALSE(state.Exists());

    // Bytes that a line-based file could break, and names and versions with
    // the characters that separate its parts.
    const std::vector<std::uint8_t> stamp{0x00, 0xFF, 0x0A, 0x0D, 0x3D, 0x25, 0x5C, 0x80};
    state.WriteBinary(kSettingsKey, kLastUpdateValue, stamp);
    state.WriteString(kInternetSettingsKey, "a=b%41\\c.htm", " 7");
    state.WriteString(kInternetSettingsKey, "companies_EN.htm", "3");
    state.WriteString(kInternetSettingsKey, "companies_EN.htm", "4");
    EXPECT_EQ(user.LastUpdate(), stamp);
    EXPECT_EQ(user.Version("companies_EN.htm"), "4");

    // Another program reads the file afresh; the user's store is never read.
    user.strings.clear();
    user.binaries.clear();
    FolderStateStore other(dir.path());
    EXPECT_EQ(other.ReadBinary(kSettingsKey, kLastUpdateValue), stamp);
    EXPECT_EQ(other.ReadString(kInternetSettingsKey, "a=b%41\\c.htm"), " 7");
    EXPECT_EQ(ReadFileVersion(other, "companies_EN.htm"), 4);
    EXPECT_EQ(other.ReadString(kInternetSettingsKey, "companies_en.htm"), std::nullopt);

    // The language and anything else stays with the user.
    EXPECT_THROW(other.ReadString(kSettingsKey, kLanguageValue), SettingsError);
    EXPECT_THROW(other.WriteString(kSettingsKey, kLanguageValue, "RO"), SettingsError);
    EXPECT_THROW(other.ReadString(kSettingsKey, kLastUpdateValue), SettingsError);
    EXPECT_THROW(other.WriteBinary(kInternetSettingsKey, "a.htm", stamp), SettingsError);

    // A new database forgets the date and keeps the versions.
    other.ResetLastUpdate(std::nullopt);
    EXPECT_EQ(state.ReadBinary(kSettingsKey, kLastUpdateValue), std::nullopt);
    EXPECT_EQ(ReadFileVersion(state, "companies_EN.htm"), 4);

    // Only the state file and the lock beside the updates' other files.
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
        names.push_back(entry.path().lexically_relative(dir.path()).generic_string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Temp", "Temp/state.lock", "state.ini"}));
}

} // namespace
} // namespace dorvanta
