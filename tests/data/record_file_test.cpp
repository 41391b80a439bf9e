#include "data/company_record.h"
#include "data/record_file.h"
#include "support/temp_dir.h"

#include "support/file_size_limit.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

using test::TempDir;

CompanyRecord::Raw Named(const std::string& name)
{
    CompanyRecord record;
    record.Company = name;
    return record.Encode();
}

TEST(RecordFile, MissingAndReadOnlyFilesCannotBeOpened)
{
    TempDir dir;
    EXPECT_THROW(RecordFile(dir / "database.db", 766), FileError);

    test::WriteBytes(dir / "database.db", "");
    std::filesystem::permissions(dir / "database.db", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_THROW(RecordFile(dir / "database.db", 766), FileError);
    EXPECT_THROW(RecordFile(dir / "database.db", 766, RecordFile::Open::CreateIfMissing), FileError);
}

TEST(RecordFile, EmptyFileHoldsNoRecordsAndCreateMakesOne)
{
    TempDir dir;
    RecordFile created(dir / "bursa.db", 578, RecordFile::Open::CreateIfMissing);
    EXPECT_EQ(created.RecordCount(), 0u);
    std::uint8_t buffer[578];
    EXPECT_FALSE(created.Read(0, buffer));
    EXPECT_TRUE(std::filesystem::exists(dir / "bursa.db"));
}

TEST(RecordFile, ReadsByNumberAndIgnoresATrailingPartialRecord)
{
    TempDir dir;
    {
        RecordFile file(dir / "database.db", 766, RecordFile::Open::CreateIfMissing);
        EXPECT_EQ(file.Append(Named("ZERO").data()), 0u);
        EXPECT_EQ(file.Append(Named("ONE").data()), 1u);
        file.Close();
    }
    std::string bytes = test::ReadBytes(dir / "database.db");
    test::WriteBytes(dir / "database.db", bytes + std::string(100, 'x'));

    RecordFile file(dir / "database.db", 766);
    EXPECT_EQ(file.RecordCount(), 2u);
    CompanyRecord::Raw raw{};
    ASSERT_TRUE(file.Read(1, raw.data()));
    EXPECT_EQ(CompanyRecord::Decode(raw.data()).Company, "ONE");
    EXPECT_FALSE(file.Read(2, raw.data()));

    // Appending overwrites the partial tail, so the file is whole records again.
    EXPECT_EQ(file.Append(Named("TWO").data()), 2u);
    EXPECT_EQ(std::filesystem::file_size(dir / "database.db"), 3u * 766u);
}

TEST(RecordFile, OverwriteKeepsThePositionsOfOtherRecords)
{
    TempDir dir;
    RecordFile file(dir / "database.db", 766, RecordFile::Open::CreateIfMissing);
    file.Append(Named("A").data());
    file.Append(Named("B").data());
    file.Append(Named("C").data());
    file.Write(1, CompanyRecord{}.Encode().data()); // blanked: a deleted record keeps its place
    CompanyRecord::Raw raw{};
    ASSERT_TRUE(file.Read(1, raw.data()));
    EXPECT_TRUE(CompanyRecord::Decode(raw.data()).IsDeleted());
    ASSERT_TRUE(file.Read(2, raw.data()));
    EXPECT_EQ(CompanyRecord::Decode(raw.data()).Company, "C");

    std::vector<std::uint8_t> block(766 * 5);
    EXPECT_EQ(file.ReadBlock(1, 5, block.data()), 2u);
    EXPECT_EQ(file.ReadBlock(3, 5, block.data()), 0u);
}

TEST(RecordFile, CreateNeverFollowsASymbolicLink)
{
    TempDir dir;
    TempDir elsewhere;
    // A link that points nowhere: creating through it would make a file outside the folder.
    std::error_code ec;
    std::filesystem::create_symlink(elsewhere / "target.db", dir / "bursa.db", ec);
    if (ec) {
        GTEST_SKIP() << "this system gives us no symbolic links: " << ec.message();
    }
    EXPECT_THROW(RecordFile(dir / "bursa.db", 578, RecordFile::Open::CreateIfMissing), FileError);
    EXPECT_FALSE(std::filesystem::exists(elsewhere / "target.db"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "bursa.db"));
}

TEST(ResolveFile, FindsANameWithoutRegardToCase)
{
    TempDir dir;
    EXPECT_EQ(ResolveFile(dir.path(), "database.db"), dir / "database.db");
    test::WriteBytes(dir / "Database.DB", "");
    EXPECT_TRUE(std::filesystem::equivalent(ResolveFile(dir.path(), "database.db"), dir / "Database.DB"));
    if (test::FileNamesIgnoreCase(dir.path())) {
        GTEST_SKIP() << "this file system takes names that differ only in case for one file";
    }
    EXPECT_EQ(ResolveFile(dir.path(), "database.db"), dir / "Database.DB");
    test::WriteBytes(dir / "database.db", "");
    EXPECT_EQ(ResolveFile(dir.path(), "database.db"), dir / "database.db");
}

} // namespace
} // namespace dorvanta

namespace dorvanta {
namespace {

TEST(RecordFile, AppendManyThatFailsPartWayKeepsTheWholeRecordsWritten)
{
    TempDir dir;
    RecordFile file(dir / "database.db", 766, RecordFile::Open::CreateIfMissing);
    file.Append(Named("FIRST").data());
    std::vector<std::uint8_t> batch;
    for (int i = 0; i < 4; ++i) {
        const auto raw = Named("NEW " + std::to_string(i));
        batch.insert(batch.end(), raw.begin(), raw.end());
    }
    {
        // Room for the first record and two and a half of the batch, as a full disk would leave.
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
        test::FileSizeLimit limit(766 * 3 + 400);
        EXPECT_THROW(file.AppendMany(batch.data(), 4), FileError);
    }
    EXPECT_EQ(std::filesystem::file_size(dir / "database.db"), 3u * 766u);
    CompanyRecord::Raw raw{};
    ASSERT_TRUE(file.Read(2, raw.data()));
    EXPECT_EQ(CompanyRecord::Decode(raw.data()).Company, "NEW 1");
    EXPECT_EQ(file.AppendMany(batch.data() + 2 * 766, 2), 3u);
    EXPECT_EQ(file.RecordCount(), 5u);
}

} // namespace
} // namespace dorvanta
