// The user's lists and notes against a real mine.sqlite.

#include "import/record_import.h"
#include "mine/company_lookup.h"
#include "mine/mine_schema.h"
#include "mine/mine_store.h"
#include "support/company_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dorvanta::test {
namespace {

MineError::Kind KindOfOpening(const std::filesystem::path& file)
{
    try {
        MineStore store(file);
    } catch (const MineError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "opened";
    return MineError::Kind::Failed;
}

TEST(MineStore, ListsNotesAndHistoryKeepTheirRules)
{
    TempDir dir;
    MineStore store(dir / "sub" / "mine.sqlite", MineOptions{5000, [] { return std::int64_t{1700000000}; }});
    EXPECT_EQ(store.Lists().size(), 1u);
    EXPECT_EQ(store.Lists()[0].name, kFavouritesList);
    EXPECT_THROW(store.DeleteList(kFavouritesList), MineError);

    EXPECT_TRUE(store.CreateList("Suppliers"));
    EXPECT_FALSE(store.CreateList("Suppliers"));
    // The name as the import identifies it: any case is the same company.
    EXPECT_TRUE(store.Add("Suppliers", "Acme \xBA"
                                       "RL"));
    EXPECT_FALSE(store.Add("Suppliers", "ACME \xAA"
                                        "RL"));
    EXPECT_THROW(store.Add("Nowhere", "ACME"), MineError);
    const auto entries = store.Entries("Suppliers");
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ((*entries)[0].name, "ACME \xAA"
                                  "RL");
    EXPECT_EQ((*entries)[0].addedAt, 1700000000);

    store.SetNote("acme \xBArl", "sun\xC8\x9Bi luni");
    EXPECT_EQ(store.Note("ACME \xAARL"), "sun\xC8\x9Bi luni");
    store.SetNote("ACME \xAARL", "");
    EXPECT_FALSE(store.Note("ACME \xAARL"));

    EXPECT_TRUE(store.DeleteList("Suppliers"));
    EXPECT_FALSE(store.Entries("Suppliers"));

    for (int i = 0; i < 105; ++i) {
        store.AddHistory("C" + std::to_string(i));
        store.AddHistory("C" + std::to_string(i)); // opened again: not twice
    }
    const std::vector<std::string> history = store.History();
    ASSERT_EQ(history.size(), kHistoryLimit);
    EXPECT_EQ(history.front(), "C104");
    EXPECT_EQ(history.back(), "C5");
}

TEST(MineStore, EntryAndNoteOutliveReplacementAndBlankingByAnImport)
{
    TempDir dir;
    WriteCompanies(dir / "database.db", {Company("Alfa SRL"), Company("Beta SA"), Company("Gama SRL")});
    MineStore store(dir / "mine.sqlite");
    store.Add(kFavouritesList, "BETA SA");
    store.SetNote("Beta SA", "call Monday");

    RecordingProgress progress;
    // The window's cache of the lookups follows every import as a fresh lookup does.
    CompanyLookupCache cache;
    EXPECT_EQ(cache.LookUp(dir.path(), {"Beta SA"})[0].recordNumber, 1u);
    auto replaced = Company("beta sa", "CJ"); // another case: the same company
    ImportCompanies(dir.path(), {Line('!', replaced)}, progress, Language::EN);
    auto found = LookUpCompanies(dir.path(), {"BETA SA"});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].recordNumber, 1u);
    EXPECT_EQ(found[0].record.County, "CJ");
    EXPECT_EQ(cache.LookUp(dir.path(), {"BETA SA"})[0].record.County, "CJ");

    ImportCompanies(dir.path(), {Line('@', replaced)}, progress, Language::EN);
    found = LookUpCompanies(dir.path(), {"BETA SA"});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_FALSE(found[0].recordNumber) << "a blanked company is reported as gone";
    EXPECT_FALSE(cache.LookUp(dir.path(), {"BETA SA"})[0].recordNumber);
    EXPECT_EQ(found[0].name, "BETA SA");
    EXPECT_EQ(store.Entries(kFavouritesList)->size(), 1u);
    EXPECT_EQ(store.Note("BETA SA"), "call Monday");

    // Back under a new record number: the entry finds it there.
    ImportCompanies(dir.path(), {Line('!', Company("Beta SA", "B"))}, progress, Language::EN);
    found = LookUpCompanies(dir.path(), {"BETA SA"});
    EXPECT_EQ(found[0].recordNumber, 3u);
    EXPECT_EQ(cache.LookUp(dir.path(), {"BETA SA"})[0].recordNumber, 3u);
}

TEST(MineStore, MigratesVersion1AndRefusesANewerFileUnaltered)
{
    TempDir dir;
    const auto file = dir / "mine.sqlite";
    {
        sqlite::Connection old(file, {.busyTimeoutMs = 1000});
        mine_sql::CreateSchemaVersion1(old);
        old.Execute("INSERT INTO entries(list_id, company) VALUES(1, 'ACME SRL');"
                    "INSERT INTO notes(company, text) VALUES('ACME SRL', 'kept');");
    }
    {
        MineStore store(file, MineOptions{5000, [] { return std::int64_t{42}; }});
        EXPECT_EQ(store.openedVersion(), 1);
        const auto entries = store.Entries(kFavouritesList);
        ASSERT_EQ(entries->size(), 1u);
        EXPECT_EQ((*entries)[0].addedAt, 0);
        EXPECT_EQ(store.Note("ACME SRL"), "kept");
        store.Add(kFavouritesList, "BETA SA");
        EXPECT_EQ(store.Entries(kFavouritesList)->back().addedAt, 42);
    }
    EXPECT_EQ(MineStore(file).openedVersion(), kMineSchemaVersion);

    // A later program's file, still in rollback-journal mode: even turning
    // on the write-ahead log would rewrite its header.
    const auto newer = dir / "newer.sqlite";
    {
        sqlite::Connection later(newer, {.busyTimeoutMs = 1000});
        later.Execute("CREATE TABLE lists(id INTEGER PRIMARY KEY, name TEXT, colour TEXT);"
                      "PRAGMA user_version = 3");
    }
    const std::string before = ReadBytes(newer);
    EXPECT_EQ(KindOfOpening(newer), MineError::Kind::Newer);
    EXPECT_EQ(ReadBytes(newer), before);
}

TEST(MineStore, DamagedOrForeignFileIsRefusedUnaltered)
{
    TempDir dir;
    const auto garbage = dir / "garbage.sqlite";
    WriteBytes(garbage, std::string(8192, 'x'));
    EXPECT_EQ(KindOfOpening(garbage), MineError::Kind::Damaged);
    EXPECT_EQ(ReadBytes(garbage), std::string(8192, 'x'));

    const auto foreign = dir / "foreign.sqlite";
    {
        sqlite::Connection other(foreign, {.busyTimeoutMs = 1000});
        other.Execute("CREATE TABLE t(x)");
    }
    const std::string before = ReadBytes(foreign);
    EXPECT_EQ(KindOfOpening(foreign), MineError::Kind::Damaged);
    EXPECT_EQ(ReadBytes(foreign), before);
}

TEST(MineStore, LockedFileFailsTheWriteAndKeepsTheNote)
{
    TempDir dir;
    const auto file = dir / "mine.sqlite";
    MineStore window(file);
    window.SetNote("ACME SRL", "first");

    sqlite::Connection other(file, {.busyTimeoutMs = 1000});
    other.Execute("BEGIN IMMEDIATE");
    MineStore cli(file, MineOptions{100, {}});
    try {
        cli.SetNote("ACME SRL", "second");
        ADD_FAILURE() << "written while locked";
    } catch (const MineError& error) {
        EXPECT_EQ(error.kind(), MineError::Kind::Locked);
        EXPECT_NE(std::string(error.what()).find("in use"), std::string::npos);
    }
    EXPECT_EQ(cli.Note("ACME SRL"), "first"); // readers go on under the write-ahead log
    other.Execute("ROLLBACK");
    cli.SetNote("ACME SRL", "second");
    EXPECT_EQ(window.Note("ACME SRL"), "second");
}

#ifndef _WIN32
TEST(MineStore, TwoProcessesWritingAtOnceLoseNothing)
{
    TempDir dir;
    const auto file = dir / "mine.sqlite";
    MineStore(file).CreateList("Shared");
    constexpr int kPerProcess = 500;
    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int code = 0;
            try {
                MineStore store(file, MineOptions{30000, {}});
                for (int i = 0; i < kPerProcess; ++i) {
                    const std::string name = "P" + std::to_string(child) + "-" + std::to_string(i);
                    if (i % 2 == 0) {
                        store.Add("Shared", name);
                    } else {
                        store.SetNote(name, "note " + name);
                    }
                }
            } catch (...) {
                code = 1;
            }
            _exit(code);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    MineStore store(file);
    EXPECT_EQ(store.Entries("Shared")->size(), std::size_t{kPerProcess});
    for (int child = 0; child < 2; ++child) {
        for (int i = 1; i < kPerProcess; i += 2) {
            const std::string name = "P" + std::to_string(child) + "-" + std::to_string(i);
            ASSERT_EQ(store.Note(name), "note " + name);
        }
    }
}
#endif

} // namespace
} // namespace dorvanta::test
