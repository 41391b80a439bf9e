// Files being written: a leftover of a writer that is gone is cleaned up, a
// file another writer still holds never is, and a published file stays.
#include "data/in_flight_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <set>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteBytes;

std::set<std::string> Names(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(InFlightFile, OnlyFilesNobodyHoldsAreCleanedUp)
{
    TempDir dir;
    WriteBytes(dir / "companies-1.tmp", "left by a killed update");
    WriteBytes(dir / "companies-2.txt", "another kind of file");
    WriteBytes(dir / "download-3.tmp", "another prefix");
    {
        InFlightFile running(dir.path(), "companies-", ".tmp");
        EXPECT_EQ(RemoveLeftovers(dir.path(), "companies-", ".tmp"), 1u);
        EXPECT_TRUE(fs::exists(running.path()));
        EXPECT_EQ(Names(dir.path()).size(), 3u);
    }
    EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"companies-2.txt", "download-3.tmp"}));
}

TEST(InFlightFile, APublishedFileStaysAndADatabaseIsNeverPutOverAnother)
{
    TempDir dir;
    {
        InFlightFile copy(dir.path(), ".database.db.copying-", "");
        WriteBytes(copy.path(), "new");
        WriteBytes(dir / "database.db", "written by another start meanwhile");
        EXPECT_FALSE(copy.PublishIfAbsent(dir / "database.db"));
    }
    EXPECT_EQ(test::ReadBytes(dir / "database.db"), "written by another start meanwhile");
    {
        InFlightFile copy(dir.path(), ".bursa.db.copying-", "");
        WriteBytes(copy.path(), "ads");
        EXPECT_TRUE(copy.PublishIfAbsent(dir / "bursa.db"));
        InFlightFile page(dir.path(), "download-", ".tmp");
        WriteBytes(page.path(), "page");
        page.Publish(dir / "x.htm");
    }
    EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"bursa.db", "database.db", "x.htm"}));
    EXPECT_EQ(test::ReadBytes(dir / "x.htm"), "page");
}

} // namespace
} // namespace dorvanta
