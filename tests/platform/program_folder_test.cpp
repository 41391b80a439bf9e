#include "platform/program_folder.h"
#include "platform/qt_data_folder.h"
#include "platform/qt_settings_store.h"

#include "data/file_access.h"
#include "data/in_flight_file.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "update/folder_state.h"
#include "update/manifest.h"
#include "update/ole_date.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <map>
#include <string>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;

// Every file under `root` with its size and time: what must not change.
std::map<std::string, std::string> Listing(const fs::path& root)
{
    std::map<std::string, std::string> listing;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string facts = entry.is_regular_file() ? std::to_string(entry.file_size()) : "folder";
        facts += " " + std::to_string(entry.last_write_time().time_since_epoch().count());
        listing[entry.path().lexically_relative(root).generic_string()] = facts;
    }
    return listing;
}

void Write(const fs::path& path, std::string_view bytes)
{
    fs::create_directories(path.parent_path());
    test::WriteBytes(path, bytes);
}

// An installed program as a package lays it out: usr/bin and usr/share/dorvanta.
struct InstalledTree
{
    test::TempDir root;
    fs::path bin = root / "usr" / "bin";
    fs::path share = root / "usr" / "share" / "dorvanta";
    test::TempDir home;
    fs::path perUser = home / ".local" / "share" / "dorvanta";

    InstalledTree()
    {
        fs::create_directories(bin);
        Write(share / "database.db", "installed companies");
        Write(share / "bursa.db", "installed ads");
        Write(share / "Internet" / "companies_EN.htm", "start page");
        Write(share / "Internet" / "a2.png", "banner");
        Write(share / "Internet" / "update.txt",
              "; the package's versions\n!1;companies_EN.htm;\n!1;a2.png;\n");
        Write(share / "icon" / "phone.gif", "GIF89a");
        Write(share / "Help" / "index_en.htm", "help");
        Write(share / "README.Debian", "not the program's");
    }

    ProgramFolderSources Sources(SettingsStore* user = nullptr) const
    {
        return {{}, {}, bin, InstalledCopyFolder(bin), perUser, user};
    }
};

int FolderVersion(const fs::path& folder, std::string_view name)
{
    FolderStateStore state(folder);
    return ReadFileVersion(state, name);
}

std::optional<std::vector<std::uint8_t>> FolderLastUpdate(const fs::path& folder)
{
    return FolderStateStore(folder).ReadBinary(kSettingsKey, kLastUpdateValue);
}

TEST(ProgramFolder, OverridesComeFirstThenAWritableExecutableFolder)
{
    test::TempDir exe;
    test::TempDir home;
    ProgramFolderSources sources{{}, {}, exe.path(), {}, home / "user"};
    EXPECT_EQ(PrepareProgramFolder(sources).folder, exe.path());
    EXPECT_FALSE(fs::exists(home / "user")) << "a portable copy must not create a per-user folder";

    sources.dirVariable = home / "from-variable";
    EXPECT_EQ(PrepareProgramFolder(sources).folder, home / "from-variable");
    sources.dirOption = "relative/./dir";
    EXPECT_EQ(PrepareProgramFolder(sources).folder, fs::current_path() / "relative" / "dir")
        << "--dir comes before DORVANTA_DIR and is made absolute for the pages";

    // A folder the user cannot write to (root can write anywhere: nothing to see then).
    fs::permissions(exe.path(), fs::perms::owner_read | fs::perms::owner_exec);
    if (IsWritableFolder(exe.path())) {
        GTEST_SKIP() << "this user can write into a read-only folder";
    }
    const PreparedProgramFolder prepared = PrepareProgramFolder({{}, {}, exe.path(), {}, home / "user"});
    EXPECT_EQ(prepared.folder, home / "user");
    EXPECT_TRUE(fs::is_directory(home / "user"));
    EXPECT_TRUE(prepared.problems.empty());
}

TEST(ProgramFolder, AnInstalledCopyFillsThePerUserFolderAndIsNeverWritten)
{
    InstalledTree tree;
    fs::permissions(tree.share / "database.db", fs::perms::owner_read | fs::perms::group_read);
    ASSERT_EQ(InstalledCopyFolder(tree.bin), tree.share);
    const auto before = Listing(tree.root.path());

    // The unpacked tree is writable here, yet an installed program still
    // keeps its data apart.
    const PreparedProgramFolder prepared = PrepareProgramFolder(tree.Sources());
    EXPECT_EQ(prepared.folder, tree.perUser);
    EXPECT_TRUE(prepared.perUser);
    EXPECT_TRUE(prepared.problems.empty()) << prepared.problems.front();
    EXPECT_EQ(Listing(tree.root.path()), before);

    const std::map<std::string, std::string> copied = Listing(tree.perUser);
    std::vector<std::string> names;
    for (const auto& [name, facts] : copied) {
        names.push_back(name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Help", "Help/index_en.htm", "Internet", "Internet/a2.png",
                                        "Internet/companies_EN.htm", "Temp", "Temp/state.lock", "bursa.db",
                                        "database.db", "icon", "icon/phone.gif", "state.ini"}))
        << "the program's files and the folder's state only, and no temporary file left";
    EXPECT_EQ(FolderVersion(tree.perUser, "companies_EN.htm"), 1);
    EXPECT_EQ(FolderLastUpdate(tree.perUser), std::nullopt)
        << "sample data without a date of its own: the first company update asks for everything";
    EXPECT_EQ(test::ReadBytes(tree.perUser / "database.db"), "installed companies");
    EXPECT_EQ(fs::last_write_time(tree.perUser / "Internet" / "companies_EN.htm"),
              fs::last_write_time(tree.share / "Internet" / "companies_EN.htm"));
    EXPECT_NE(fs::status(tree.perUser / "database.db").permissions() & fs::perms::owner_write,
              fs::perms::none)
        << "the user's database must take updates";
}

TEST(ProgramFolder, ALaterInstallKeepsTheDatabasesAndBringsOnlyHigherVersions)
{
    InstalledTree tree;
    PrepareProgramFolder(tree.Sources());
    const auto later = fs::last_write_time(tree.share / "database.db") + std::chrono::hours(1);

    // The user's updates: a changed database and a start page downloaded
    // with version 5.
    test::WriteBytes(tree.perUser / "database.db", "updated companies");
    test::WriteBytes(tree.perUser / "Internet" / "companies_EN.htm", "downloaded page");
    FolderStateStore(tree.perUser).WriteString(kInternetSettingsKey, "companies_EN.htm", "5");
    fs::remove(tree.perUser / "bursa.db");
    // A package built later: its start page is version 3, older in content
    // though newer in file time than the download; a banner goes to version
    // 2 with an unchanged file time.
    Write(tree.share / "database.db", "new installed companies");
    Write(tree.share / "Internet" / "companies_EN.htm", "older than the download");
    Write(tree.share / "Internet" / "a1.png", "new banner");
    const auto bannerTime = fs::last_write_time(tree.perUser / "Internet" / "a2.png");
    Write(tree.share / "Internet" / "a2.png", "banner 2");
    fs::last_write_time(tree.share / "Internet" / "a2.png", bannerTime);
    Write(tree.share / "Internet" / "update.txt", "!3;companies_EN.htm;\n!2;a2.png;\n!1;a1.png;\n");
    Write(tree.share / "Help" / "index_en.htm", "new help");
    for (const char* file :
         {"database.db", "Internet/companies_EN.htm", "Internet/a1.png", "Help/index_en.htm"}) {
        fs::last_write_time(tree.share / file, later);
    }

    const PreparedProgramFolder prepared = PrepareProgramFolder(tree.Sources());
    EXPECT_TRUE(prepared.problems.empty());
    EXPECT_EQ(test::ReadBytes(tree.perUser / "database.db"), "updated companies");
    EXPECT_EQ(test::ReadBytes(tree.perUser / "bursa.db"), "installed ads")
        << "a missing database is copied again";
    EXPECT_EQ(test::ReadBytes(tree.perUser / "Internet" / "companies_EN.htm"), "downloaded page");
    EXPECT_EQ(FolderVersion(tree.perUser, "companies_EN.htm"), 5);
    EXPECT_EQ(test::ReadBytes(tree.perUser / "Internet" / "a2.png"), "banner 2");
    EXPECT_EQ(FolderVersion(tree.perUser, "a2.png"), 2);
    EXPECT_EQ(test::ReadBytes(tree.perUser / "Internet" / "a1.png"), "new banner");
    EXPECT_EQ(FolderVersion(tree.perUser, "a1.png"), 1);
    EXPECT_FALSE(fs::exists(tree.perUser / "Internet" / "update.txt"));
    EXPECT_EQ(test::ReadBytes(tree.perUser / "Help" / "index_en.htm"), "new help");
}

TEST(ProgramFolder, APerUserFolderAdoptsTheUsersValuesOnceAndStartsAnewWhenRemoved)
{
    InstalledTree tree;
    test::TempDir config;
    QtSettingsStore user(config / "Dorvanta.conf");
    const std::vector<std::uint8_t> userDate = OleDateBytes(38306.5); // 2004-11-15 12:00
    user.WriteBinary(kSettingsKey, kLastUpdateValue, userDate);
    user.WriteString(kInternetSettingsKey, "companies_EN.htm", "7");
    // A folder an earlier version filled and updated: data, no state of its own.
    Write(tree.perUser / "database.db", "updated companies");
    Write(tree.perUser / "Internet" / "companies_EN.htm", "downloaded page");

    EXPECT_TRUE(PrepareProgramFolder(tree.Sources(&user)).problems.empty());
    EXPECT_EQ(FolderLastUpdate(tree.perUser), userDate);
    EXPECT_EQ(FolderVersion(tree.perUser, "companies_EN.htm"), 7);
    EXPECT_EQ(test::ReadBytes(tree.perUser / "Internet" / "companies_EN.htm"), "downloaded page");
    // Once only: later values of the user's store are not the folder's.
    user.WriteBinary(kSettingsKey, kLastUpdateValue, OleDateBytes(40000.0));
    PrepareProgramFolder(tree.Sources(&user));
    EXPECT_EQ(FolderLastUpdate(tree.perUser), userDate);
    // The per-user folder's updates still write the user's values.
    FolderStateStore(tree.perUser, &user).WriteString(kInternetSettingsKey, "a2.png", "9");
    EXPECT_EQ(user.ReadString(kInternetSettingsKey, "a2.png"), "9");

    // Removed to start again: the folder takes the package's state, here the
    // date of its databases, not what the user's store still holds.
    const std::vector<std::uint8_t> packageDate = OleDateBytes(46000.0);
    FolderStateStore(tree.share).WriteBinary(kSettingsKey, kLastUpdateValue, packageDate);
    fs::remove_all(tree.share / "Temp"); // the package is built, not run
    fs::remove_all(tree.perUser);
    EXPECT_TRUE(PrepareProgramFolder(tree.Sources(&user)).problems.empty());
    EXPECT_EQ(FolderLastUpdate(tree.perUser), packageDate);
    EXPECT_EQ(FolderVersion(tree.perUser, "companies_EN.htm"), 1);
    EXPECT_EQ(FolderVersion(tree.perUser, "a2.png"), 1);
    EXPECT_EQ(test::ReadBytes(tree.perUser / "Internet" / "companies_EN.htm"), "start page");
}

TEST(ProgramFolder, AKilledFirstStartsPartialCopiesGoUnlessAnotherStartStillWritesThem)
{
    InstalledTree tree;
    fs::create_directories(tree.perUser / "Internet");
    // Left by starts that were killed: nobody holds them.
    Write(tree.perUser / ".database.db.copying-12345", std::string(100000, 'x'));
    Write(tree.perUser / "Internet" / ".companies_EN.htm.copying-6789", "part");
    // Being written by a start that runs now: locked.
    InFlightFile running(tree.perUser, ".database.db.copying-", "");

    const PreparedProgramFolder prepared = PrepareProgramFolder(tree.Sources());
    EXPECT_TRUE(prepared.problems.empty()) << prepared.problems.front();
    EXPECT_EQ(test::ReadBytes(tree.perUser / "database.db"), "installed companies");
    EXPECT_FALSE(fs::exists(tree.perUser / ".database.db.copying-12345"));
    EXPECT_FALSE(fs::exists(tree.perUser / "Internet" / ".companies_EN.htm.copying-6789"));
    EXPECT_TRUE(fs::exists(running.path()));
}

TEST(ProgramFolder, AFullDiskDuringTheFirstCopySaysSoAndLeavesNoPartialCopy)
{
    InstalledTree tree;
    Write(tree.share / "database.db", std::string(300000, 'c'));
    // The disk fills a third of the way through the copy.
    const PreparedProgramFolder prepared = [&] {
        const test::WriteLimit limit(100000);
        return PrepareProgramFolder(tree.Sources());
    }();
    // The disk stays full: every file after it fails the same way.
    ASSERT_FALSE(prepared.problems.empty());
    for (const std::string& problem : prepared.problems) {
        EXPECT_TRUE(problem.ends_with(": no space left on the device")) << problem;
    }
    EXPECT_EQ(prepared.problems.front(), "Cannot copy the installed file to " +
                                             (tree.perUser / "database.db").string() +
                                             ": no space left on the device")
        << "a short copy is not an input/output error";
    EXPECT_FALSE(fs::exists(tree.perUser / "database.db"));
    for (const auto& entry : fs::directory_iterator(tree.perUser)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".database.db")) << entry.path();
    }
    // With room again, the next start copies it.
    EXPECT_TRUE(PrepareProgramFolder(tree.Sources()).problems.empty());
    EXPECT_EQ(fs::file_size(tree.perUser / "database.db"), 300000u);
}

// Restores an environment variable when the test ends.
class ScopedVariable
{
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name))
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedVariable() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

TEST(ProgramFolder, TheWindowAndTheCommandLineToolShareOnePerUserFolder)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Qt names the Windows folder after LOCALAPPDATA the same way; checked on Linux";
#endif
    test::TempDir home;
    const QByteArray homeText = QByteArray::fromStdString(home.path().string());
    ScopedVariable homeVariable("HOME", homeText);
    SetApplicationNames();
    {
        ScopedVariable dataHome("XDG_DATA_HOME", QByteArray());
        EXPECT_EQ(PerUserDataFolder(), home / ".local" / "share" / "dorvanta");
        EXPECT_EQ(QtPerUserDataFolder(), PerUserDataFolder());
    }
    {
        ScopedVariable dataHome("XDG_DATA_HOME", "relative");
        EXPECT_EQ(QtPerUserDataFolder(), PerUserDataFolder()) << "a relative XDG_DATA_HOME";
    }
    {
        ScopedVariable dataHome("XDG_DATA_HOME", homeText + "/data");
        EXPECT_EQ(PerUserDataFolder(), home / "data" / "dorvanta");
        EXPECT_EQ(QtPerUserDataFolder(), PerUserDataFolder());
    }
}

} // namespace
} // namespace dorvanta
