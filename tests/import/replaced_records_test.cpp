// Batches of replaced records written in file order, records close together
// in one write, thin ones held for a later batch.
#include "import/replaced_records.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSize = 16;

// A file of `count` records, record n filled with the byte n % 200.
std::vector<std::uint8_t> MakeFile(const fs::path& path, std::size_t count)
{
    std::vector<std::uint8_t> bytes(count * kSize);
    for (std::size_t n = 0; n < count; ++n) {
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(n * kSize), kSize,
                    static_cast<std::uint8_t>(n % 200));
    }
    RecordFile file(path, kSize, RecordFile::Open::CreateIfMissing);
    file.AppendMany(bytes.data(), count);
    return bytes;
}

std::vector<std::uint8_t> ReadAll(const fs::path& path, std::size_t count)
{
    RecordFile file(path, kSize);
    std::vector<std::uint8_t> bytes(count * kSize);
    EXPECT_EQ(file.ReadBlock(0, count, bytes.data()), count);
    return bytes;
}

// Puts scattered and clustered, repeated within and across batches: after
// the last batch the file holds the last bytes put for every record and the
// untouched records as they were, whatever was held on the way.
TEST(ReplacedRecords, TheFileEndsWithTheLastPutOfEveryRecord)
{
    test::TempDir dir;
    const fs::path path = dir.path() / "records.db";
    constexpr std::size_t kCount = 5000;
    std::vector<std::uint8_t> expected = MakeFile(path, kCount);
    std::mt19937 random(7);
    RecordFile file(path, kSize);
    ReplacedRecords records(kSize);
    ReplacedRecords::Batch batch(kSize);
    std::uint8_t mark = 0;
    for (int round = 0; round < 40; ++round) {
        const std::size_t base = random() % kCount;
        for (int put = 0; put < 300; ++put) {
            // Mostly a dense stretch, some far away, some twice.
            const std::size_t number = put % 4 == 0 ? random() % kCount : (base + random() % 400) % kCount;
            ++mark;
            std::fill_n(batch.Put(number), kSize, mark);
            std::fill_n(expected.begin() + static_cast<std::ptrdiff_t>(number * kSize), kSize, mark);
        }
        records.Write(file, batch, false);
        EXPECT_EQ(batch.bytes(), 0u);
    }
    records.Write(file, batch, true);
    EXPECT_EQ(ReadAll(path, kCount), expected);
}

// A write that fails drops its batch and the held records: a later write
// writes none of them, so nothing is ever written twice.
TEST(ReplacedRecords, AFailedWriteLeavesNothingToWriteAgain)
{
    test::TempDir dir;
    const fs::path path = dir.path() / "records.db";
    MakeFile(path, 100);
    RecordFile file(path, kSize);
    ReplacedRecords records(kSize);
    ReplacedRecords::Batch batch(kSize);
    std::fill_n(batch.Put(40), kSize, 0xEE); // thin: held
    records.Write(file, batch, false);
    std::fill_n(batch.Put(20), kSize, 0xEE);
    std::fill_n(batch.Put(22), kSize, 0xEE); // record 21 is read back
    fs::resize_file(path, 21 * kSize);       // another program cuts the file
    EXPECT_THROW(records.Write(file, batch, true), FileError);
    EXPECT_EQ(batch.bytes(), 0u);
    records.Write(file, batch, true);
    EXPECT_EQ(fs::file_size(path), 21 * kSize) << "the held record was written after the failure";
    EXPECT_EQ(ReadAll(path, 21)[20 * kSize], 20);
}

} // namespace
} // namespace dorvanta
