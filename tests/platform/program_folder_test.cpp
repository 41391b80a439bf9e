#include "platform/program_folder.h"
#include "platform/qt_data_folder.h"

#include "support/temp_dir.h"

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
        Write(share / "icon" / "phone.gif", "GIF89a");
        Write(share / "Help" / "index_en.htm", "help");
        Write(share / "README.Debian", "not the program's");
    }

    ProgramFolderSources Sources() const { return {{}, {}, bin, InstalledCopyFolder(bin), perUser}; }
};

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
    EXPECT_TRUE(prepared.problems.empty()) << prepared.problems.front();
    EXPECT_EQ(Listing(tree.root.path()), before);

    const std::map<std::string, std::string> copied = Listing(tree.perUser);
    std::vector<std::string> names;
    for (const auto& [name, facts] : copied) {
        names.push_back(name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Help", "Help/index_en.htm", "Internet", "Internet/companies_EN.htm",
                                        "bursa.db", "database.db", "icon", "icon/phone.gif"}))
        << "the program's files only, and no temporary file left";
    EXPECT_EQ(test::ReadBytes(tree.perUser / "database.db"), "installed companies");
    EXPECT_EQ(fs::last_write_time(tree.perUser / "Internet" / "companies_EN.htm"),
              fs::last_write_time(tree.share / "Internet" / "companies_EN.htm"));
    EXPECT_NE(fs::status(tree.perUser / "database.db").permissions() & fs::perms::owner_write,
              fs::perms::none)
        << "the user's database must take updates";
}

TEST(ProgramFolder, ALaterInstallKeepsTheDatabasesAndBringsOnlyNewerFiles)
{
    InstalledTree tree;
    PrepareProgramFolder(tree.Sources());
    const auto later = fs::last_write_time(tree.share / "database.db") + std::chrono::hours(1);

    // The user's updates: a changed database and a start page downloaded
    // after the installed one was made.
    test::WriteBytes(tree.perUser / "database.db", "updated companies");
    test::WriteBytes(tree.perUser / "Internet" / "companies_EN.htm", "downloaded page");
    fs::last_write_time(tree.perUser / "Internet" / "companies_EN.htm", later + std::chrono::hours(1));
    fs::remove(tree.perUser / "bursa.db");
    // A newer package.
    Write(tree.share / "database.db", "new installed companies");
    Write(tree.share / "Internet" / "companies_EN.htm", "older than the download");
    Write(tree.share / "Internet" / "a1.png", "new banner");
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
    EXPECT_EQ(test::ReadBytes(tree.perUser / "Internet" / "a1.png"), "new banner");
    EXPECT_EQ(test::ReadBytes(tree.perUser / "Help" / "index_en.htm"), "new help");
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
