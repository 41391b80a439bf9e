#include "platform/qt_settings_store.h"

#include "support/temp_dir.h"
#include "update/ole_date.h"

#include <gtest/gtest.h>

#include <QPoint>
#include <QSettings>
#include <QStringList>

namespace dorvanta {
namespace {

const std::string kTop(kSettingsKey);
const std::string kInternet(kInternetSettingsKey);

QString QtPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

class SettingsStoreTest : public ::testing::Test
{
protected:
    test::TempDir dir;
    std::filesystem::path file = dir / "settings" / "dorvanta.ini";
    QtSettingsStore store{file};
};

TEST_F(SettingsStoreTest, MissingValuesReadAsNothing)
{
    EXPECT_EQ(store.ReadString(kTop, "Language"), std::nullopt);
    EXPECT_EQ(store.ReadBinary(kTop, "LastUpdate"), std::nullopt);
    EXPECT_EQ(store.ReadString(kInternet, "companies_EN.htm"), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(file)) << "reading must not create the file";

    store.WriteString(kTop, "Language", "RO");
    EXPECT_EQ(store.ReadString(kInternet, "Language"), std::nullopt) << "groups must not share names";
}

TEST_F(SettingsStoreTest, TextsAndBytesRoundTripAndPersist)
{
    std::string everyByte;
    for (int c = 0; c < 256; ++c) {
        everyByte += static_cast<char>(c);
    }
    const std::vector<std::uint8_t> lastUpdate = OleDateBytes(38306.5);
    const std::vector<std::uint8_t> awkward = {0x00, 0xFF, 0x40, '@', '(', ')', '\n', 0x80};

    store.WriteString(kTop, "Language", "RO");
    store.WriteString(kTop, "Empty", "");
    store.WriteString(kTop, "Bytes", everyByte);
    store.WriteString(kTop, "Looks like markup", "@ByteArray(x), a, \"b\"; c=d");
    store.WriteBinary(kTop, "LastUpdate", lastUpdate);
    store.WriteBinary(kTop, "Awkward", awkward);
    store.WriteBinary(kTop, "None", {});

    QtSettingsStore reopened(file);
    EXPECT_EQ(reopened.ReadString(kTop, "Language"), "RO");
    EXPECT_EQ(reopened.ReadString(kTop, "Empty"), "");
    EXPECT_EQ(reopened.ReadString(kTop, "Bytes"), everyByte);
    EXPECT_EQ(reopened.ReadString(kTop, "Looks like markup"), "@ByteArray(x), a, \"b\"; c=d");
    EXPECT_EQ(reopened.ReadBinary(kTop, "LastUpdate"), lastUpdate);
    EXPECT_EQ(reopened.ReadBinary(kTop, "Awkward"), awkward);
    EXPECT_EQ(reopened.ReadBinary(kTop, "None"), std::vector<std::uint8_t>{});

    // The same values as any QSettings reader of the file sees them: top level, unchanged names.
    QSettings raw(QtPath(file), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Language").toString(), "RO");
    EXPECT_EQ(raw.value("LastUpdate").toByteArray(), QByteArray::fromHex("0000000050b4e240"));
}

TEST_F(SettingsStoreTest, WritingReplacesAValueOfAnyType)
{
    store.WriteBinary(kTop, "Language", {1, 2, 3});
    store.WriteString(kTop, "Language", "EN");
    EXPECT_EQ(store.ReadString(kTop, "Language"), "EN");
    store.WriteString(kTop, "LastUpdate", "yesterday");
    store.WriteBinary(kTop, "LastUpdate", OleDateBytes(36526.0));
    EXPECT_EQ(store.ReadBinary(kTop, "LastUpdate"), OleDateBytes(36526.0));
}

TEST_F(SettingsStoreTest, ValuesOfAnotherTypeAreErrors)
{
    store.WriteBinary(kTop, "Language", {'E', 'N'});
    store.WriteString(kTop, "LastUpdate", "2004-11-15");
    {
        QSettings raw(QtPath(file), QSettings::IniFormat);
        raw.setValue("List", QStringList{"EN", "RO"});
        raw.setValue("Point", QPoint(1, 2));
        raw.setValue("Internet/wide.htm", QString(QChar(0x0103)));
    }
    EXPECT_THROW(store.ReadString(kTop, "Language"), SettingsError);
    EXPECT_THROW(store.ReadBinary(kTop, "LastUpdate"), SettingsError);
    EXPECT_THROW(store.ReadString(kTop, "List"), SettingsError);
    EXPECT_THROW(store.ReadString(kTop, "Point"), SettingsError);
    EXPECT_THROW(store.ReadBinary(kTop, "Point"), SettingsError);
    // A character no single-byte text holds must not come back as "?".
    EXPECT_THROW(store.ReadString(kInternet, "wide.htm"), SettingsError);
}

TEST_F(SettingsStoreTest, AuxiliaryFileVersionsLiveInTheirGroupUnderTheirOwnNames)
{
    const std::vector<std::string> names = {"companies_EN.htm", "a/b.htm",     "a%2Fb.htm",      "c\\d.htm",
                                            "50%.htm",          "x=y;z,w.htm", "with space.htm", "[General]",
                                            "\xe3\xee.swf",     "Language",    "#hash",          "@at"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        store.WriteString(kInternet, names[i], std::to_string(i));
    }
    store.WriteString(kTop, "Language", "RO");

    QtSettingsStore reopened(file);
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(reopened.ReadString(kInternet, names[i]), std::to_string(i)) << names[i];
    }
    EXPECT_EQ(reopened.ReadString(kTop, "Language"), "RO");
    // The key may be written with or without its trailing backslash, in any case.
    EXPECT_EQ(reopened.ReadString("software\\dorvanta\\Internet", "companies_EN.htm"), "0");

    QSettings raw(QtPath(file), QSettings::IniFormat);
    EXPECT_EQ(raw.childGroups(), QStringList{"Internet"});
    raw.beginGroup("Internet");
    EXPECT_EQ(raw.childKeys().size(), static_cast<qsizetype>(names.size()));
    EXPECT_EQ(raw.value("companies_EN.htm").toString(), "0");
    EXPECT_EQ(raw.value("a%2Fb.htm").toString(), "1") << "'/' must be escaped, not taken for a group";
}

TEST_F(SettingsStoreTest, RefusesNamesAndKeysItCannotStore)
{
    EXPECT_THROW(store.WriteString(kInternet, "", "1"), SettingsError);
    EXPECT_THROW(store.ReadString(kInternet, ""), SettingsError);
    EXPECT_THROW(store.WriteString("Software\\Other\\", "Language", "EN"), SettingsError);
    EXPECT_THROW(store.ReadString("Software\\DorvantaX\\", "Language"), SettingsError);
}

TEST(SettingsStore, AStoreThatCannotBeWrittenOrReadFails)
{
    test::TempDir dir;
    test::WriteBytes(dir / "plain-file", "not a folder");
    QtSettingsStore store(dir / "plain-file" / "dorvanta.ini");

    EXPECT_THROW(store.WriteString(kTop, "Language", "RO"), SettingsError);
    EXPECT_THROW(store.WriteBinary(kTop, "LastUpdate", OleDateBytes(1.0)), SettingsError);
    EXPECT_EQ(store.ReadString(kTop, "Language"), std::nullopt);
    EXPECT_EQ(store.ReadBinary(kTop, "LastUpdate"), std::nullopt);

    // A folder where the file should be can be neither read nor written.
    std::filesystem::create_directory(dir / "folder.ini");
    QtSettingsStore folder(dir / "folder.ini");
    EXPECT_THROW(folder.ReadString(kTop, "Language"), SettingsError);
    EXPECT_THROW(folder.WriteString(kTop, "Language", "RO"), SettingsError);
}

TEST(SettingsStore, AFailedWriteLeavesThePreviousValue)
{
    test::TempDir dir;
    const auto file = dir / "dorvanta.ini";
    QtSettingsStore store(file);
    store.WriteString(kTop, "Language", "EN");
    // Another user of the same file in this process keeps QSettings' shared cache of it alive.
    QSettings otherUser(QtPath(file), QSettings::IniFormat);

    // Swap the file for a link into a folder that does not exist: it looks writable,
    // but saving fails.
    const std::string saved = test::ReadBytes(file);
    std::filesystem::remove(file);
    std::filesystem::create_symlink(dir / "missing" / "target.ini", file);
    EXPECT_THROW(store.WriteString(kTop, "Language", "RO"), SettingsError);
    EXPECT_THROW(store.WriteString(kInternet, "new.htm", "3"), SettingsError);

    // Once the file is back, nothing of the failed writes shows.
    std::filesystem::remove(file);
    test::WriteBytes(file, saved);
    EXPECT_EQ(store.ReadString(kTop, "Language"), "EN");
    EXPECT_EQ(store.ReadString(kInternet, "new.htm"), std::nullopt);
    EXPECT_EQ(otherUser.value("Language").toString(), "EN");
}

TEST(SettingsStore, NativeStoreUsesTheUsersConfigurationFolder)
{
    test::TempDir dir;
    // Redirect the user's configuration folder so the test never touches the real one.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QtPath(dir.path()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QtPath(dir.path()));
    QtSettingsStore store;

    store.WriteString(kTop, "Language", "RO");
    store.WriteString(kInternet, "companies_RO.htm", "7");
    EXPECT_EQ(store.ReadString(kTop, "Language"), "RO");
    EXPECT_EQ(QtSettingsStore().ReadString(kInternet, "companies_RO.htm"), "7");
    EXPECT_TRUE(std::filesystem::exists(dir / "Dorvanta" / "Dorvanta.conf"));
}

} // namespace
} // namespace dorvanta
