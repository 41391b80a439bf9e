// The registry store, built and run in the Windows build only.
#include "platform/registry_settings_store.h"

#include "update/ole_date.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace dorvanta {
namespace {

const std::string kTop(kSettingsKey);
const std::string kInternet(kInternetSettingsKey);
const std::wstring kTestBase = L"Software\\DorvantaTest";

class RegistrySettingsStoreTest : public ::testing::Test
{
protected:
    RegistrySettingsStoreTest() { store.RemoveAll(); }
    ~RegistrySettingsStoreTest() override { store.RemoveAll(); }

    // The type and bytes of a value as any registry reader sees them.
    std::pair<DWORD, std::vector<std::uint8_t>> Raw(const std::wstring& subKey, const std::wstring& name)
    {
        DWORD type = 0;
        DWORD size = 0;
        const std::wstring key = kTestBase + subKey;
        if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                           nullptr, &size) != ERROR_SUCCESS) {
            return {0, {}};
        }
        std::vector<std::uint8_t> data(size);
        ::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                       data.data(), &size);
        data.resize(size);
        return {type, data};
    }

    RegistrySettingsStore store{kTestBase};
};

TEST_F(RegistrySettingsStoreTest, ValuesHaveTheRegistryTypesOtherProgramsRead)
{
    EXPECT_EQ(store.ReadString(kTop, "Language"), std::nullopt);
    EXPECT_EQ(store.ReadBinary(kTop, "LastUpdate"), std::nullopt);

    const std::vector<std::uint8_t> lastUpdate = OleDateBytes(38306.5);
    store.WriteString(kTop, "Language", "RO");
    store.WriteBinary(kTop, "LastUpdate", lastUpdate);
    store.WriteString(kInternet, "companies_RO.htm", "7");

    EXPECT_EQ(store.ReadString(kTop, "Language"), "RO");
    EXPECT_EQ(store.ReadBinary(kTop, "LastUpdate"), lastUpdate);
    EXPECT_EQ(store.ReadString("software\\dorvanta\\Internet", "companies_RO.htm"), "7");
    EXPECT_EQ(store.ReadString(kInternet, "Language"), std::nullopt) << "keys must not share names";

    const auto language = Raw(L"", L"Language");
    EXPECT_EQ(language.first, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(language.second, (std::vector<std::uint8_t>{'R', 0, 'O', 0, 0, 0}));
    const auto stamp = Raw(L"", L"LastUpdate");
    EXPECT_EQ(stamp.first, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(stamp.second.size(), 8u);
    EXPECT_EQ(Raw(L"\\Internet", L"companies_RO.htm").first, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistrySettingsStoreTest, CentralEuropeanTextRoundTripsAndTypesAreChecked)
{
    // a with breve and s with cedilla in Windows-1250.
    store.WriteString(kInternet, "\xe3\xba.swf", "\xe3\xba");
    EXPECT_EQ(store.ReadString(kInternet, "\xe3\xba.swf"), "\xe3\xba");
    EXPECT_EQ(Raw(L"\\Internet", L"\u0103\u015f.swf").second,
              (std::vector<std::uint8_t>{0x03, 0x01, 0x5f, 0x01, 0, 0}));

    store.WriteString(kTop, "LastUpdate", "yesterday");
    EXPECT_THROW(store.ReadBinary(kTop, "LastUpdate"), SettingsError);
    store.WriteBinary(kTop, "LastUpdate", OleDateBytes(36526.0));
    EXPECT_EQ(store.ReadBinary(kTop, "LastUpdate"), OleDateBytes(36526.0));
    EXPECT_THROW(store.ReadString(kTop, "LastUpdate"), SettingsError);

    // A character the code page lacks must not come back as "?".
    const std::wstring key = kTestBase + L"\\Internet";
    const wchar_t wide[] = L"\u4e2d";
    ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"wide.htm", REG_SZ, wide, sizeof wide);
    EXPECT_THROW(store.ReadString(kInternet, "wide.htm"), SettingsError);

    EXPECT_THROW(store.WriteString(kInternet, "", "1"), SettingsError);
    EXPECT_THROW(store.WriteString("Software\\Other\\", "Language", "EN"), SettingsError);
    EXPECT_THROW(store.ReadString("Software\\DorvantaX\\", "Language"), SettingsError);
}

} // namespace
} // namespace dorvanta
