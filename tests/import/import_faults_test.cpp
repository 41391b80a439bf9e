// The import commands of dorvanta-cli under faults a user meets: two imports
// into the same file at once, and a disk that fills during an import.
#include "cli/cli_test_util.h"

#include "data/record_layout.h"
#include "support/file_size_limit.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace dorvanta {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::RunCli;
using test::RunResult;
using test::TempDir;
using test::WriteBytes;

std::string AdLines(char prefix, int count)
{
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines +=
            prefix + std::to_string(i) + "`c`Firma`CJ`Subject`2005-01-01`Text`2`Ion`0264`0265`a@b.ro`www`\n";
    }
    return lines;
}

std::string CompanyLines(const std::string& prefix, int count)
{
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += "!" + prefix + std::to_string(i) + "`B`Str. 1`Ion`07``````a.c.21*s````about`\n";
    }
    return lines;
}

// The first field of every record: the ad identifiers or the company names.
std::multiset<std::string> FirstFields(const fs::path& path, std::size_t recordSize, const FieldLayout& field)
{
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.size() % recordSize, 0u);
    std::multiset<std::string> fields;
    for (std::size_t at = 0; at + recordSize <= bytes.size(); at += recordSize) {
        const auto* record = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
        fields.insert(ReadField(record, field));
    }
    return fields;
}

// Both commands run at once; their records must all be there, once each.
void RunTogether(const TempDir& dir, const std::vector<std::string>& first,
                 const std::vector<std::string>& second)
{
    RunResult a;
    RunResult b;
    {
        std::jthread one([&] { a = RunCli(dir, first); });
        std::jthread two([&] { b = RunCli(dir, second); });
    }
    EXPECT_EQ(a.exitCode, 0) << a.err;
    EXPECT_EQ(b.exitCode, 0) << b.err;
}

TEST(ImportFaults, TwoImportsAtOnceLoseNoRecord)
{
    TempDir dir;
    TempDir input;
    constexpr int kLines = 20000;
    WriteBytes(input / "a.txt", AdLines('A', kLines));
    WriteBytes(input / "b.txt", AdLines('B', kLines));
    RunTogether(dir, {"import-ads", (input / "a.txt").string()}, {"import-ads", (input / "b.txt").string()});
    const auto ids = FirstFields(dir / "bursa.db", opportunity_layout::kRecordSize,
                                 opportunity_layout::kFields[opportunity_layout::AdId]);
    EXPECT_EQ(ids.size(), 2u * kLines);
    EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), 2u * kLines);

    // Two company imports adding different names and the same ones: every
    // name once, whichever import came second.
    constexpr int kCompanies = 5000;
    WriteBytes(dir / "database.db", "");
    WriteBytes(input / "c.txt", CompanyLines("FIRST ", kCompanies) + CompanyLines("BOTH ", kCompanies));
    WriteBytes(input / "d.txt", CompanyLines("SECOND ", kCompanies) + CompanyLines("BOTH ", kCompanies));
    RunTogether(dir, {"import-companies", (input / "c.txt").string()},
                {"import-companies", (input / "d.txt").string()});
    const auto names = FirstFields(dir / "database.db", company_layout::kRecordSize,
                                   company_layout::kFields[company_layout::Company]);
    EXPECT_EQ(names.size(), 3u * kCompanies);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 3u * kCompanies);
}

TEST(ImportFaults, AFullDiskIsReportedAsAFailedWriteNotAsAFileThatWouldNotOpen)
{
    TempDir dir;
    TempDir input;
    WriteBytes(input / "ads.txt", AdLines('A', 10));
    WriteBytes(input / "companies.txt", CompanyLines("NEW ", 10));
    WriteBytes(dir / "database.db", "");

    RunResult ads;
    RunResult companies;
    {
        // The limit and the ignored signal pass to the programs started
        // here; a write past the limit fails as one on a full disk does.
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
        test::FileSizeLimit limit(3 * company_layout::kRecordSize + 10);
        ads = RunCli(dir, {"--lang", "RO", "import-ads", (input / "ads.txt").string()});
        companies = RunCli(dir, {"import-companies", (input / "companies.txt").string()});
    }
    EXPECT_EQ(ads.exitCode, 2);
    EXPECT_EQ(ads.err, "Nu am putut scrie in fisierul bursa.db: fisierul este prea mare.\n");
    EXPECT_EQ(companies.exitCode, 2);
    EXPECT_EQ(companies.err, "Could not write to the file database.db: the file is too large.\n");
    // What was written stays, in whole records.
    EXPECT_EQ(fs::file_size(dir / "bursa.db"), 3 * opportunity_layout::kRecordSize);
    EXPECT_EQ(fs::file_size(dir / "database.db"), 3 * company_layout::kRecordSize);
}

} // namespace
} // namespace dorvanta
