#include "cli_test_util.h"

#include "data/category_table.h"
#include "data/record_layout.h"
#include "pages/pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace dorvanta::test {
namespace {

namespace fs = std::filesystem;

CompanyRecord FullCompany()
{
    CompanyRecord record = Company("\xAA"
                                   "TEFAN & FIUL SRL",
                                   "CJ", "a.a.1*t", "j.d.42*x");
    record.Address = "Str. Gr\xE3"
                     "dinii nr. 3, Cluj-Napoca";
    record.Phone = "+40 264 123456 (0722) 111222";
    record.Email = "office@stefan.ro";
    record.Web = "www.stefan.ro";
    record.Description = "Calitate \xEEnainte de toate.";
    return record;
}

OpportunityRecord FullAd()
{
    OpportunityRecord record = Ad("123456", "c", "2", "Cump\xE3r mobil\xE3", "B");
    record.Company = "Mobila SRL";
    record.Description = "Plata pe loc.";
    record.InsertDate = "2026-11-30";
    record.Phone = "0722 111222";
    record.Email = "a@b.ro";
    return record;
}

class PageCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteCompanies(dir / "database.db", {Company("Prima"), FullCompany()});
        WriteOpportunities(dir / "bursa.db", {Ad("1", "a", "1", "Vand"), FullAd()});
    }

    TempDir dir;
};

TEST_F(PageCommands, CompanyPageIsTheBuildersBytesUnconverted)
{
    for (const Language language : {Language::EN, Language::RO}) {
        const RunResult run =
            RunCli(dir, {"--lang", std::string(LanguageCode(language)), "page-company", "1"});
        EXPECT_EQ(run.exitCode, 0);
        const std::optional<std::string> expected =
            CompanyPage(dir.path(), 1, language, CategoryTable::Builtin());
        ASSERT_TRUE(expected.has_value());
        EXPECT_EQ(run.out, *expected);
        // The page keeps the stored Windows-1250 byte; no UTF-8 on this path.
        EXPECT_NE(run.out.find("\xAA"
                               "TEFAN & FIUL SRL"),
                  std::string::npos);
        EXPECT_NE(run.out.find(ProgramFolderText(dir.path()) + "icon"), std::string::npos);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(PageCommands, OpportunityPageWithChosenOrDefaultBanner)
{
    const std::vector<std::string> domains = OpportunityDomainList(Language::RO);
    for (const int banner : {1, 2, 3}) {
        const RunResult run =
            RunCli(dir, {"--lang", "RO", "page-opportunity", "1", "--banner", std::to_string(banner)});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, BuildOpportunityPage(FullAd(), Language::RO, ProgramFolderText(dir.path()),
                                                domains, banner));
        EXPECT_NE(run.out.find("Internet" + std::string(1, static_cast<char>(fs::path::preferred_separator)) +
                               "c" + std::to_string(banner) + ".swf"),
                  std::string::npos);
    }

    // Without --banner: the first number of the fixed succession, as the
    // window's first page would draw it.
    BannerNumbers banners;
    const RunResult run = RunCli(dir, {"page-opportunity", "1"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              OpportunityPage(dir.path(), 1, Language::EN, OpportunityDomainList(Language::EN), banners));
    EXPECT_NE(run.out.find("Cump\xE3r mobil\xE3"), std::string::npos);
}

TEST_F(PageCommands, RecordOutOfRangeExitsOneWithoutOutput)
{
    for (const std::string command : {"page-company", "page-opportunity"}) {
        for (const std::string number : {"2", "-1", "99999999999"}) {
            const RunResult run = RunCli(dir, {command, number});
            EXPECT_EQ(run.exitCode, 1) << command << " " << number;
            EXPECT_EQ(run.out, "");
            EXPECT_NE(run.err.find("no record " + number), std::string::npos) << run.err;
        }
    }
}

TEST_F(PageCommands, UnopenableFileExitsTwo)
{
    fs::permissions(dir / "database.db", fs::perms::owner_read);
    RunResult run = RunCli(dir, {"page-company", "0"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("Could not open database.db file.")) << run.err;

    fs::remove(dir / "bursa.db");
    run = RunCli(dir, {"page-opportunity", "0", "--banner", "1"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Opportunities database(bursa.db) does not exist. This file was moved or deleted.\n");
}

TEST_F(PageCommands, BadNumbersAreUsageErrors)
{
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"page-company"}, {"page-company", "abc"}, {"page-opportunity", "0", "--banner", "4"}}) {
        const RunResult run = RunCli(dir, arguments);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.exitCode, 1);
        EXPECT_NE(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(run.err.empty());
    }
}

// Splits CSV text into its lines at CRLF (the test data holds no quoted line break
// unless a test says so).
std::vector<std::string> CsvLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(ExportCommands, CompaniesAsQuotedUtf8CsvWithoutDeletedRecords)
{
    TempDir dir;
    CompanyRecord quoted = Company("Alfa, \"Beta\" & Co", "B", "a.a.1*t");
    quoted.Description = "Line one\r\nline two";
    quoted.Address = "Bd. Unirii\nnr. 1";
    CompanyRecord accented = Company("\xAA"
                                     "tefan \xFE"
                                     "ar\xE3 \x80 \x81",
                                     "CJ");
    WriteCompanies(dir / "database.db", {quoted, Company(""), accented});

    const RunResult run = RunCli(dir, {"export-companies"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(
        run.out,
        "RecordNumber,Company,County,Address,Representative,Mobile,Phone,Fax,Email,Web,Activity1,Activity2,"
        "Activity3,Activity4,Description\r\n"
        "0,\"Alfa, \"\"Beta\"\" & Co\",B,\"Bd. Unirii\nnr. 1\",,,,,,,a.a.1*t,,,,\"Line one\r\nline two\"\r\n"
        // S-cedilla, t-cedilla, a-breve, the euro sign, and 0x81, which the code
        // page leaves undefined: its C1 control, as the window shows it.
        "2,\xC5\x9E"
        "tefan \xC5\xA3"
        "ar\xC4\x83 \xE2\x82\xAC \xC2\x81,CJ,,,,,,,,,,,,\r\n");
}

TEST(ExportCommands, EveryByteOfTheCodePageConverts)
{
    TempDir dir;
    CompanyRecord record = Company("Table");
    for (int byte = 0xA0; byte <= 0xFF; ++byte) {
        record.Description += static_cast<char>(byte);
    }
    WriteCompanies(dir / "database.db", {record});
    const RunResult run = RunCli(dir, {"export-companies"});
    ASSERT_EQ(run.exitCode, 0);
    const std::vector<std::string> lines = CsvLines(run.out);
    ASSERT_EQ(lines.size(), 2u);
    const std::string expected = "\xC2\xA0\xCB\x87\xCB\x98\xC5\x81\xC2\xA4\xC4\x84\xC2\xA6\xC2\xA7\xC2\xA8"
                                 "\xC2\xA9\xC5\x9E\xC2\xAB\xC2\xAC"
                                 "\xC2\xAD\xC2\xAE\xC5\xBB\xC2\xB0\xC2\xB1\xCB\x9B\xC5\x82\xC2\xB4\xC2\xB5"
                                 "\xC2\xB6\xC2\xB7\xC2\xB8\xC4\x85"
                                 "\xC5\x9F\xC2\xBB\xC4\xBD\xCB\x9D\xC4\xBE\xC5\xBC\xC5\x94\xC3\x81\xC3\x82"
                                 "\xC4\x82\xC3\x84\xC4\xB9\xC4\x86"
                                 "\xC3\x87\xC4\x8C\xC3\x89\xC4\x98\xC3\x8B\xC4\x9A\xC3\x8D\xC3\x8E\xC4\x8E"
                                 "\xC4\x90\xC5\x83\xC5\x87\xC3\x93"
                                 "\xC3\x94\xC5\x90\xC3\x96\xC3\x97\xC5\x98\xC5\xAE\xC3\x9A\xC5\xB0\xC3\x9C"
                                 "\xC3\x9D\xC5\xA2\xC3\x9F\xC5\x95"
                                 "\xC3\xA1\xC3\xA2\xC4\x83\xC3\xA4\xC4\xBA\xC4\x87\xC3\xA7\xC4\x8D\xC3\xA9"
                                 "\xC4\x99\xC3\xAB\xC4\x9B\xC3\xAD"
                                 "\xC3\xAE\xC4\x8F\xC4\x91\xC5\x84\xC5\x88\xC3\xB3\xC3\xB4\xC5\x91\xC3\xB6"
                                 "\xC3\xB7\xC5\x99\xC5\xAF\xC3\xBA"
                                 "\xC5\xB1\xC3\xBC\xC3\xBD\xC5\xA3\xCB\x99";
    EXPECT_TRUE(lines[1].ends_with("," + expected)) << lines[1];
}

TEST(ExportCommands, LargeFilesAreReadWholeAcrossBlocks)
{
    TempDir dir;
    // More records than one read block holds, with deleted records on both
    // sides of the block boundary and a trailing partial record.
    std::vector<CompanyRecord> records;
    for (int i = 0; i < 9000; ++i) {
        const bool deleted = i == 4095 || i == 4096 || i == 8999;
        records.push_back(Company(deleted ? "" : "Firma " + std::to_string(i)));
    }
    WriteCompanies(dir / "database.db", records);
    {
        std::ofstream out(dir / "database.db", std::ios::binary | std::ios::app);
        out << std::string(100, 'z');
    }

    const RunResult run = RunCli(dir, {"export-companies"});
    ASSERT_EQ(run.exitCode, 0);
    const std::vector<std::string> lines = CsvLines(run.out);
    ASSERT_EQ(lines.size(), 1u + 9000u - 3u);
    EXPECT_TRUE(lines[4095].starts_with("4094,Firma 4094,"));
    EXPECT_TRUE(lines[4096].starts_with("4097,Firma 4097,"));
    EXPECT_TRUE(lines.back().starts_with("8998,Firma 8998,"));
}

TEST(ExportCommands, OpportunitiesIncludeEveryRecordAndField)
{
    TempDir dir;
    WriteOpportunities(dir / "bursa.db", {FullAd(), Ad("7", "", "", "")});
    const RunResult run = RunCli(dir, {"export-opportunities"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "RecordNumber,AdId,DomainLetter,Company,Reserved,County,Subject,InsertDate,Description,AdType,"
              "Representative,Phone,Fax,Email,Web\r\n"
              "0,123456,c,Mobila SRL,,B,Cump\xC4\x83r mobil\xC4\x83,2026-11-30,Plata pe loc.,2,,0722 111222,,"
              "a@b.ro,\r\n"
              "1,7,,,,,,,,,,,,,\r\n");
}

TEST(ExportCommands, EmptyOrMissingFiles)
{
    TempDir dir;
    WriteCompanies(dir / "database.db", {});
    RunResult run = RunCli(dir, {"export-companies"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(CsvLines(run.out).size(), 1u);

    run = RunCli(dir, {"export-opportunities"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Opportunities database(bursa.db) does not exist. This file was moved or deleted.\n");

    fs::remove(dir / "database.db");
    run = RunCli(dir, {"--lang", "RO", "export-companies"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.starts_with("Nu am putut deschide fisierul database.db.")) << run.err;
}

TEST(OutputFailures, AFullDiskIsAFailureNotASuccess)
{
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    TempDir dir;
    WriteCompanies(dir / "database.db", {Company("Alfa", "B", "a.a.1*t")});
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"search-companies"}, {"page-company", "0"}, {"export-companies"}}) {
        std::vector<std::string> withDir = {"--dir", dir.path().string()};
        withDir.insert(withDir.end(), arguments.begin(), arguments.end());
        const RunResult run = RunProgram("dorvanta-cli", withDir, "/dev/full");
        EXPECT_EQ(run.exitCode, 2) << arguments[0];
        EXPECT_NE(run.err.find("standard output"), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace dorvanta::test
