#include "cli_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace dorvanta::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNoResultEN = "Your search did not return any result\n";
constexpr const char* kNoResultRO = "Cautarea nu a returnat nici o inregistrare.\n";

class CompanySearchCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteCompanies(dir / "database.db",
                       {
                           Company("COMPANIA DE TEST SRL", "CJ", "a.c.21*s"),     // 0
                           Company(""),                                           // 1: deleted
                           Company("o'neill-pop s.a.", "", "b.a.1*t", "a.a.1*p"), // 2: no county
                           Company("x", "B", "a.a.2*h"),                          // 3: one letter
                           Company("FLORI\xBA SRL", "CJ", "j.d.42*o"),            // 4: s-cedilla
                           Company("Test\tTab\nLine SRL", "AB", "a.b.12*i"),      // 5: control characters
                       });
    }

    TempDir dir;
};

TEST_F(CompanySearchCommand, ListsEveryCompanyInFileOrderAsTabSeparatedTitleCasedUtf8Rows)
{
    const RunResult run = RunCli(dir, {"search-companies"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "0\tS\tCompania De Test SRL\n"
                       "2\tT\tO'neill-Pop S.A.\n"
                       "3\tH\tx\n"
                       "4\tO\tFlori\xC5\x9F SRL\n"
                       // A tab or line break inside a name would break the row format.
                       "5\tI\tTest tab line SRL\n");
    EXPECT_EQ(run.err, "Found 5 records.\n");
}

TEST_F(CompanySearchCommand, NameTextFromTheTerminalIsMatchedInWindows1250)
{
    // U+015F (cedilla) is the code page's letter; U+0219 (comma below) is
    // what Romanian keyboards type, and means the same letter.
    for (const std::string name : {"\xC5\x9F", "\xC8\x99", "ORI\xC5\x9F s"}) {
        const RunResult run = RunCli(dir, {"search-companies", "--name", name});
        EXPECT_EQ(run.exitCode, 0) << name;
        EXPECT_EQ(run.out, "4\tO\tFlori\xC5\x9F SRL\n") << name;
    }
    // A character the code page lacks can match nothing: the command says so.
    const RunResult run = RunCli(dir, {"search-companies", "--name", "\xF0\x9F\x98\x80"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("--name"), std::string::npos);
    EXPECT_EQ(run.out, "");
}

TEST_F(CompanySearchCommand, RomanianCapitalsMatchAndDiacriticsMayBeIgnored)
{
    RunResult run = RunCli(dir, {"search-companies", "--name", "FLORI\xC5\x9E"}); // capital Ş
    EXPECT_EQ(run.out, "4\tO\tFlori\xC5\x9F SRL\n");
    run = RunCli(dir, {"search-companies", "--name", "floris"});
    EXPECT_EQ(run.exitCode, 1);
    run = RunCli(dir, {"search-companies", "--name", "floris", "--ignore-diacritics"});
    EXPECT_EQ(run.out, "4\tO\tFlori\xC5\x9F SRL\n");
}

// The advanced criteria, from UTF-8 on the command line, each alone and together.
TEST(CompanySearchWords, TownPhoneRepresentativeCuiAndText)
{
    TempDir dir;
    CompanyRecord found = Company("FLORIS SRL", "BV");
    found.Address = "Str. Lung\xE3 nr. 1, Bra\xBAov";
    found.Representative = "Ana \xAA"
                           "erban";
    found.Phone = "0268/412345, 0744 111 222";
    found.Description = "CUI 24681357, J08/1/2010, flori \xBAi plante";
    CompanyRecord other = Company("ALTA SRL", "BV");
    other.Address = "Bra\xBAov";
    WriteCompanies(dir / "database.db", {other, found});
    const std::vector<std::vector<std::string>> options = {
        {"--town", "bra\xC8\x99ov lung\xC4\x83"},
        {"--phone", "+40 744 111"},
        {"--phone", "268412"},
        {"--representative", "\xC8\x98"
                             "erban"},
        {"--cui", "RO24681357"},
        {"--text", "plante flori"},
        {"--town", "brasov", "--ignore-diacritics", "--text", "si", "--cui", "24681357"}};
    for (const std::vector<std::string>& option : options) {
        std::vector<std::string> arguments = {"search-companies"};
        arguments.insert(arguments.end(), option.begin(), option.end());
        const RunResult run = RunCli(dir, arguments);
        EXPECT_EQ(run.out, "1\t\tFloris SRL\n") << option[1];
    }
    EXPECT_EQ(RunCli(dir, {"search-companies", "--town", "brasov"}).exitCode, 1);
    EXPECT_EQ(RunCli(dir, {"search-companies", "--cui", "RO2468135"}).exitCode, 1);
}

TEST_F(CompanySearchCommand, CountyAndTypeCriteria)
{
    // A record without a county passes any county criterion.
    RunResult run = RunCli(dir, {"search-companies", "--county", "Cluj"});
    EXPECT_EQ(run.out, "0\tS\tCompania De Test SRL\n2\tT\tO'neill-Pop S.A.\n4\tO\tFlori\xC5\x9F SRL\n");

    run = RunCli(dir, {"search-companies", "--county", "All", "--name", "x"});
    EXPECT_EQ(run.out, "3\tH\tx\n");

    // An unknown name is compared as it stands, so only records without a county pass.
    run = RunCli(dir, {"search-companies", "--county", "Atlantis"});
    EXPECT_EQ(run.out, "2\tT\tO'neill-Pop S.A.\n");

    // The type column shows Activity1 even when another entry matched.
    run = RunCli(dir, {"search-companies", "--type", "P"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "2\tT\tO'neill-Pop S.A.\n");
}

TEST_F(CompanySearchCommand, DomainExpandsToTheCategoriesOfTheGroupOrDomain)
{
    RunResult run = RunCli(dir, {"search-companies", "--domain", "a"});
    EXPECT_EQ(run.out, "0\tS\tCompania De Test SRL\n"
                       "2\tT\tO'neill-Pop S.A.\n"
                       "3\tH\tx\n"
                       "5\tI\tTest tab line SRL\n");

    for (const std::string domain : {"a.C", "a.c", "A.C"}) {
        run = RunCli(dir, {"search-companies", "--domain", domain});
        EXPECT_EQ(run.out, "0\tS\tCompania De Test SRL\n") << domain;
    }

    // The serials continue across the domains of a group: j.d.42 is Health.
    run = RunCli(dir, {"search-companies", "--domain", "j.D"});
    EXPECT_EQ(run.out, "4\tO\tFlori\xC5\x9F SRL\n");
}

TEST_F(CompanySearchCommand, CategoriesInAnyCaseAndRepeatable)
{
    const RunResult run = RunCli(dir, {"search-companies", "--category", "A.A.1", "--category", "a.B.12"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "2\tT\tO'neill-Pop S.A.\n5\tI\tTest tab line SRL\n");
}

TEST_F(CompanySearchCommand, NothingFoundExitsOneWithTheNoResultMessage)
{
    RunResult run = RunCli(dir, {"search-companies", "--name", "nobody"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("Found 0 records.\n") + kNoResultEN);

    run = RunCli(dir, {"--lang", "RO", "search-companies", "--name", "nobody"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, std::string("Au fost gasite 0 inregistrari.\n") + kNoResultRO);

    // The tool has no placeholder: a name that reads like the window's is searched for.
    run = RunCli(dir, {"search-companies", "--name", "Search for company?"});
    EXPECT_EQ(run.exitCode, 1);
}

TEST_F(CompanySearchCommand, GlobalOptionsMayFollowTheCommand)
{
    const RunResult run = RunProgram(
        "dorvanta-cli", {"search-companies", "--name", "test", "--lang", "ro", "--dir", dir.path().string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "Au fost gasite 2 inregistrari.\n");
}

TEST_F(CompanySearchCommand, AFileThatCannotBeOpenedExitsTwo)
{
    fs::permissions(dir / "database.db", fs::perms::owner_read | fs::perms::group_read);
    RunResult run = RunCli(dir, {"search-companies"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Could not open database.db file. Make sure that file exists and is not read-only\n");

    // Windows deletes no read-only file.
    fs::permissions(dir / "database.db", fs::perms::owner_write, fs::perm_options::add);
    fs::remove(dir / "database.db");
    run = RunCli(dir, {"--lang", "RO", "search-companies"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err,
              "Nu am putut deschide fisierul database.db. Daca fisierul exista, verificati sa nu aiba "
              "atributul read-only.\n");
}

TEST_F(CompanySearchCommand, BadUsageIsRefusedWithAMessage)
{
    struct Case
    {
        std::vector<std::string> arguments;
        std::string mentions;
    };
    const std::vector<Case> cases = {
        {{"search-companies", "--domain", "k"}, "--domain"},
        {{"search-companies", "--domain", "a.Z"}, "--domain"},
        {{"search-companies", "--domain", "ab"}, "--domain"},
        {{"search-companies", "--type", "x"}, "--type"},
        {{"search-companies", "--domain", "a", "--category", "a.a.1"}, "--domain"},
        {{"--lang", "DE", "search-companies"}, "--lang"},
        {{"search-companies", "--colour"}, "--colour"},
        {{}, "subcommand"},
    };
    for (const Case& c : cases) {
        const RunResult run = RunCli(dir, c.arguments);
        EXPECT_NE(run.exitCode, 0) << c.mentions;
        EXPECT_NE(run.exitCode, 1) << "bad usage must not look like an empty result: " << c.mentions;
        EXPECT_NE(run.err.find(c.mentions), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(CompanySearchLimit, StopsAtTwoThousandRowsAndPrintsMessageTwoOnTwoLines)
{
    TempDir dir;
    std::vector<CompanyRecord> records(2001, Company("Firma", "CJ", "a.a.1*t"));
    WriteCompanies(dir / "database.db", records);

    RunResult run = RunCli(dir, {"search-companies"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2000);
    EXPECT_TRUE(run.out.ends_with("\n1999\tT\tFirma\n"));
    EXPECT_EQ(run.err, "Over 2000 records found. Only first 2000 records are displayed.\n"
                       "Please redefine your search criteria.\n");

    records.pop_back();
    WriteCompanies(dir / "database.db", records);
    run = RunCli(dir, {"search-companies"});
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2000);
    EXPECT_EQ(run.err, "Found 2000 records.\n");
}

class OpportunitySearchCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteOpportunities(dir / "bursa.db", {
                                                 Ad("1", "a", "1", "Vand MOBILA de birou", "CJ"), // 0
                                                 Ad("2", "c", "2", "Cumpar mobila", "B"),         // 1
                                                 Ad("3", "c", "3", "Transport mobil\xE3", ""),    // 2
                                                 Ad("4", "c", "2", "Caut birouri", "CJ"),         // 3
                                             });
    }

    TempDir dir;
};

TEST_F(OpportunitySearchCommand, ListsTheLatestFirstWithTheTypeWord)
{
    RunResult run = RunCli(dir, {"search-opportunities", "--keyword", "MOBIL"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "2\tService\tTransport mobil\xC4\x83\n"
                       "1\tRequest\tCumpar mobila\n"
                       "0\tOffer\tVand MOBILA de birou\n");
    EXPECT_EQ(run.err, "Found 3 records.\n");

    run = RunCli(dir, {"--lang", "RO", "search-opportunities", "--group", "c", "--type", "2"});
    EXPECT_EQ(run.out, "3\tCerere\tCaut birouri\n1\tCerere\tCumpar mobila\n");
    EXPECT_EQ(run.err, "Au fost gasite 2 inregistrari.\n");

    // A record without a county passes a county criterion.
    run = RunCli(dir, {"search-opportunities", "--county", "Cluj"});
    EXPECT_EQ(
        run.out,
        "3\tRequest\tCaut birouri\n2\tService\tTransport mobil\xC4\x83\n0\tOffer\tVand MOBILA de birou\n");
}

TEST_F(OpportunitySearchCommand, KeywordMayIgnoreDiacritics)
{
    RunResult run = RunCli(dir, {"search-opportunities", "--keyword", "MOBIL\xC4\x82"}); // capital Ă
    EXPECT_EQ(run.out, "2\tService\tTransport mobil\xC4\x83\n");
    run = RunCli(dir, {"search-opportunities", "--keyword", "mobil\xC4\x83", "--ignore-diacritics"});
    EXPECT_EQ(run.out, "2\tService\tTransport mobil\xC4\x83\n"
                       "1\tRequest\tCumpar mobila\n"
                       "0\tOffer\tVand MOBILA de birou\n");
}

TEST_F(OpportunitySearchCommand, NothingFoundExitsOne)
{
    RunResult run = RunCli(dir, {"search-opportunities", "--group", "j"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("Found 0 records.\n") + kNoResultEN);
    // No placeholder either: the keyword is searched for as given.
    run = RunCli(dir, {"search-opportunities", "--keyword", "Any keyword?"});
    EXPECT_EQ(run.exitCode, 1);
}

TEST_F(OpportunitySearchCommand, MissingOrLockedFileExitsTwoWithAMessage)
{
    fs::permissions(dir / "bursa.db", fs::perms::owner_read);
    RunResult run = RunCli(dir, {"search-opportunities"});
    EXPECT_EQ(run.exitCode, 2);
    // The ads exist: the message says why they cannot be listed, not that none was found.
    EXPECT_EQ(run.err, "Could not open bursa.db file. Make sure that file exists and is not read-only\n");

    // Windows deletes no read-only file.
    fs::permissions(dir / "bursa.db", fs::perms::owner_write, fs::perm_options::add);
    fs::remove(dir / "bursa.db");
    run = RunCli(dir, {"search-opportunities"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, std::string("Opportunities database(bursa.db) does not exist. This file was moved or "
                                   "deleted.\n") +
                           kNoResultEN);

    run = RunCli(dir, {"--lang", "RO", "search-opportunities"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, std::string("Baza de date cu oportunitati nu exista.\n") + kNoResultRO);
}

TEST_F(OpportunitySearchCommand, DaysKeepsTheRecentAdsByTheirDate)
{
    // Three days ago is within the last seven in any time zone; a date that
    // does not parse counts as old.
    const auto day = [](int daysAgo) {
        const std::chrono::year_month_day date{
            std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()) -
            std::chrono::days(daysAgo)};
        char text[16];
        std::snprintf(text, sizeof text, "%02u.%02u.%04d", static_cast<unsigned>(date.day()),
                      static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
        return std::string(text);
    };
    std::vector<OpportunityRecord> ads{Ad("1", "a", "1", "Nou"), Ad("2", "a", "1", "Vechi"),
                                       Ad("3", "a", "1", "Fara data")};
    ads[0].InsertDate = day(3);
    ads[1].InsertDate = day(100);
    ads[2].InsertDate = "maine";
    WriteOpportunities(dir / "bursa.db", ads);

    RunResult run = RunCli(dir, {"search-opportunities", "--days", "7"});
    EXPECT_EQ(run.out, "0\tOffer\tNou\n");
    run = RunCli(dir, {"search-opportunities", "--days", "365", "--format", "tsv"});
    EXPECT_NE(run.out.find("\tNou\t" + day(3) + "\t"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\tVechi\t" + day(100) + "\t"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("maine"), std::string::npos);
}

TEST_F(OpportunitySearchCommand, BadUsageIsRefused)
{
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"search-opportunities", "--group", "k"},
                                               {"search-opportunities", "--type", "4"},
                                               {"search-opportunities", "--days", "0"}}) {
        const RunResult run = RunCli(dir, arguments);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.exitCode, 1);
        EXPECT_NE(run.err.find(arguments[1]), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace dorvanta::test
