#include "data/company_record.h"
#include "data/record_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
    ::chmod((dir / "database.db").c_str(), 0444);
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

TEST(RecordFile, MappedViewSeesWholeRecordsOnly)
{
    TempDir dir;
    test::WriteBytes(dir / "database.db", "");
    {
        RecordFile file(dir / "database.db", 766);
        MappedRecords empty(file);
        EXPECT_EQ(empty.count(), 0u);
    }
    test::WriteBytes(dir / "database.db",
                     std::string(reinterpret_cast<const char*>(Named("X").data()), 766) + "partial");
    RecordFile file(dir / "database.db", 766);
    MappedRecords view(file);
    ASSERT_EQ(view.count(), 1u);
    EXPECT_EQ(CompanyRecord::Decode(view.record(0)).Company, "X");
}

TEST(ResolveFile, FindsANameWithoutRegardToCase)
{
    TempDir dir;
    EXPECT_EQ(ResolveFile(dir.path(), "database.db"), dir / "database.db");
    test::WriteBytes(dir / "Database.DB", "");
    EXPECT_EQ(ResolveFile(dir.path(), "database.db"), dir / "Database.DB");
    test::WriteBytes(dir / "database.db", "");
    EXPECT_EQ(ResolveFile(dir.path(), "database.db"), dir / "database.db");
}

} // namespace
} // namespace dorvanta
