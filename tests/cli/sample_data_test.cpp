#include "cli_test_util.h"

#include "data/category_table.h"
#include "data/code_tables.h"
#include "data/record_layout.h"
#include "data/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace dorvanta::test {
namespace {

namespace fs = std::filesystem;

RunResult Generate(const TempDir& dir, const std::string& companies, const std::string& ads,
                   const std::string& seed)
{
    return RunProgram("dorvanta-sample-data",
                      {"--dir", dir.path().string(), "--companies", companies, "--ads", ads, "--seed", seed});
}

template <typename Record> std::vector<Record> ReadAll(const fs::path& path, std::size_t recordSize)
{
    const std::string bytes = ReadBytes(path);
    std::vector<Record> records;
    for (std::size_t offset = 0; offset + recordSize <= bytes.size(); offset += recordSize) {
        records.push_back(Record::Decode(reinterpret_cast<const std::uint8_t*>(bytes.data() + offset)));
    }
    return records;
}

// The benchmark writes a file of hundreds of megabytes: asked for help, it
// answers and writes nothing.
TEST(Benchmark, AnswersHelpWithoutWritingItsFile)
{
    if (!std::filesystem::exists(BinaryFolder() / "dorvanta-bench")) {
        GTEST_SKIP() << "the benchmark is built on Linux only";
    }
    TempDir dir;
    for (const char* help : {"--help", "-h"}) {
        const RunResult run = RunProgram("dorvanta-bench", {help, "--dir", (dir / "bench").string()});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.starts_with("usage: dorvanta-bench")) << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "bench"));
}

TEST(SampleData, SameSeedSameBytesOtherSeedOtherBytes)
{
    TempDir first;
    TempDir second;
    TempDir third;
    ASSERT_EQ(Generate(first, "500", "200", "7").exitCode, 0);
    ASSERT_EQ(Generate(second, "500", "200", "7").exitCode, 0);
    ASSERT_EQ(Generate(third, "500", "200", "8").exitCode, 0);
    for (const char* name : {"database.db", "bursa.db"}) {
        EXPECT_EQ(ReadBytes(first / name), ReadBytes(second / name)) << name;
        EXPECT_NE(ReadBytes(first / name), ReadBytes(third / name)) << name;
    }
    EXPECT_EQ(fs::file_size(first / "database.db"), 500u * company_layout::kRecordSize);
    EXPECT_EQ(fs::file_size(first / "bursa.db"), 200u * opportunity_layout::kRecordSize);
    // No temporary file is left beside the databases.
    EXPECT_EQ(std::distance(fs::directory_iterator(first.path()), fs::directory_iterator()), 2);
}

TEST(SampleData, CompaniesCoverTheTablesAndKeepTheFileRules)
{
    TempDir dir;
    ASSERT_EQ(Generate(dir, "3000", "0", "1").exitCode, 0);
    const auto companies = ReadAll<CompanyRecord>(dir / "database.db", company_layout::kRecordSize);
    ASSERT_EQ(companies.size(), 3000u);

    std::set<std::string> codes;
    for (const CategoryRow& row : CategoryTable::Builtin().rows()) {
        codes.insert(ToLowerAZ(row.code));
    }

    std::set<std::string> counties;
    std::set<std::string> usedCodes;
    std::set<char> typeLetters;
    int deleted = 0;
    int withoutCounty = 0;
    int oneLetter = 0;
    for (const CompanyRecord& record : companies) {
        if (record.IsDeleted()) {
            ++deleted;
            EXPECT_EQ(record, CompanyRecord{}) << "a deleted record has every field empty";
            continue;
        }
        if (record.County.empty()) {
            ++withoutCounty;
        } else {
            counties.insert(record.County);
        }
        oneLetter += record.Company.size() == 1;
        bool ended = false;
        for (const std::string* entry : record.Activities()) {
            if (entry->empty()) {
                ended = true;
                continue;
            }
            EXPECT_FALSE(ended) << "activity entries are filled from Activity1 onwards";
            const std::size_t star = entry->find('*');
            ASSERT_NE(star, std::string::npos) << *entry;
            EXPECT_EQ(star + 2, entry->size()) << *entry;
            EXPECT_TRUE(codes.contains(entry->substr(0, star))) << *entry;
            usedCodes.insert(entry->substr(0, star));
            typeLetters.insert(entry->back());
        }
        EXPECT_FALSE(record.Activity1.empty());
    }
    EXPECT_EQ(counties.size(), kCounties.size());
    for (const County& county : kCounties) {
        EXPECT_TRUE(counties.contains(std::string(county.code))) << county.code;
    }
    EXPECT_EQ(typeLetters, (std::set<char>{'t', 's', 'i', 'h', 'o', 'p'}));
    EXPECT_EQ(usedCodes, codes);
    EXPECT_GT(deleted, 0);
    EXPECT_LT(deleted, 100);
    EXPECT_GT(withoutCounty, 0);
    EXPECT_GT(oneLetter, 0);
}

TEST(SampleData, AdsCoverGroupsTypesAndCountiesWithDistinctIdentifiers)
{
    TempDir dir;
    ASSERT_EQ(Generate(dir, "0", "1500", "3").exitCode, 0);
    EXPECT_EQ(fs::file_size(dir / "database.db"), 0u);
    const auto ads = ReadAll<OpportunityRecord>(dir / "bursa.db", opportunity_layout::kRecordSize);
    ASSERT_EQ(ads.size(), 1500u);

    std::set<std::string> ids;
    std::set<std::string> groups;
    std::set<std::string> types;
    std::set<std::string> counties;
    std::string previousDate;
    for (const OpportunityRecord& ad : ads) {
        EXPECT_TRUE(ids.insert(ad.AdId).second) << "repeated AdId " << ad.AdId;
        EXPECT_TRUE(!ad.AdId.empty() && ad.AdId.size() <= 6 &&
                    ad.AdId.find_first_not_of("0123456789") == std::string::npos)
            << ad.AdId;
        groups.insert(ad.DomainLetter);
        types.insert(ad.AdType);
        if (!ad.County.empty()) {
            counties.insert(ad.County);
        }
        EXPECT_FALSE(ad.Subject.empty());
        EXPECT_TRUE(ad.Reserved.empty());
        EXPECT_EQ(ad.InsertDate.size(), 10u) << ad.InsertDate;
        EXPECT_GE(ad.InsertDate, previousDate) << "the file grows at its end, so dates never go back";
        previousDate = ad.InsertDate;
    }
    EXPECT_EQ(groups, (std::set<std::string>{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}));
    EXPECT_EQ(types, (std::set<std::string>{"1", "2", "3"}));
    EXPECT_EQ(counties.size(), kCounties.size());
}

TEST(SampleData, GeneratedFilesWorkWithTheCommandLineTool)
{
    TempDir dir;
    ASSERT_EQ(Generate(dir, "3000", "50", "1").exitCode, 0);
    // One company in a thousand carries the benchmark's rare word.
    const RunResult run = RunCli(dir, {"search-companies", "--name", "zamolxis"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.substr(0, 4), "500\t");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);
    EXPECT_EQ(RunCli(dir, {"search-opportunities", "--group", "a"}).exitCode, 0);
}

TEST(SampleData, RefusesBadArguments)
{
    TempDir dir;
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--companies", "12abc"},
                                               {"--companies", "-5"},
                                               {"--ads", "1000000"},
                                               {"--seed"},
                                               {"--colour", "red"}}) {
        std::vector<std::string> withDir = {"--dir", dir.path().string()};
        withDir.insert(withDir.end(), arguments.begin(), arguments.end());
        const RunResult run = RunProgram("dorvanta-sample-data", withDir);
        EXPECT_NE(run.exitCode, 0) << arguments[0];
        EXPECT_NE(run.err.find(arguments[0]), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(dir / "database.db"));
    }
}

} // namespace
} // namespace dorvanta::test
