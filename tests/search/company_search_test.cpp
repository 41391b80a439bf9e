#include "data/company_record.h"
#include "data/record_file.h"
#include "search/company_search.h"
#include "search/subdomains.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

using test::TempDir;

CompanyRecord Company(const std::string& name, const std::string& county = "",
                      std::vector<std::string> activities = {})
{
    CompanyRecord record;
    record.Company = name;
    record.County = county;
    for (std::size_t i = 0; i < activities.size() && i < 4; ++i) {
        record.Field(company_layout::Activity1 + i) = activities[i];
    }
    return record;
}

void WriteCompanies(const TempDir& dir, const std::vector<CompanyRecord>& records)
{
    RecordFile file(dir / "database.db", company_layout::kRecordSize, RecordFile::Open::CreateIfMissing);
    for (const CompanyRecord& record : records) {
        file.Append(record.Encode().data());
    }
    file.Close();
}

std::vector<std::int64_t> Numbers(const SearchResult& result)
{
    std::vector<std::int64_t> numbers;
    for (const ResultRow& row : result.rows) {
        numbers.push_back(row.recordNumber);
    }
    return numbers;
}

TEST(SearchCompanies, NoCriteriaListsEveryCompanyInFileOrderSkippingDeleted)
{
    TempDir dir;
    WriteCompanies(dir, {Company("BETA SRL", "B", {"a.a.1*t"}), Company(""), Company("alfa sa impex", "CJ")});
    const SearchResult result = SearchCompanies(dir.path(), {}, Language::EN);
    EXPECT_EQ(result.outcome, SearchOutcome::Found);
    ASSERT_EQ(result.rows.size(), 2u);
    EXPECT_EQ(result.rows[0], (ResultRow{0, "T", "Beta SRL"}));
    EXPECT_EQ(result.rows[1], (ResultRow{2, "", "Alfa SA Impex"}));
    EXPECT_EQ(result.status, "Found 2 records.");
    EXPECT_FALSE(result.showNoResult);
    EXPECT_EQ(SearchCompanies(dir.path(), {}, Language::RO).status, "Au fost gasite 2 inregistrari.");
}

// "Asociaţia Ţara Beta", "ŞERBAN SRL", "Bălan Construct", "Serban Impex":
// the Romanian capitals meet their small letters, and with the diacritics
// option "serban" meets "Şerban" (typed either way) while the list keeps the
// name's own letters.
TEST(SearchCompanies, RomanianLettersFoldAndDiacriticsMayBeIgnored)
{
    TempDir dir;
    WriteCompanies(dir, {Company("Asocia\xFEia \xDE"
                                 "ara Beta"),
                         Company("\xAA"
                                 "ERBAN SRL"),
                         Company("B\xE3lan Construct"), Company("Serban Impex")});
    const auto find = [&](const std::string& box, bool ignoreDiacritics) {
        CompanyCriteria criteria;
        criteria.nameText = box;
        criteria.ignoreDiacritics = ignoreDiacritics;
        return SearchCompanies(dir.path(), criteria, Language::EN);
    };
    EXPECT_EQ(Numbers(find("\xFE"
                           "ara",
                           false)),
              (std::vector<std::int64_t>{0}));
    EXPECT_EQ(Numbers(find("\xBA"
                           "erban",
                           false)),
              (std::vector<std::int64_t>{1}));
    EXPECT_EQ(Numbers(find("B\xC3LAN", false)), (std::vector<std::int64_t>{2}));
    EXPECT_EQ(Numbers(find("serban", false)), (std::vector<std::int64_t>{3}));
    EXPECT_EQ(Numbers(find("serban", true)), (std::vector<std::int64_t>{1, 3}));
    EXPECT_EQ(Numbers(find("\xAA"
                           "ERBAN",
                           true)),
              (std::vector<std::int64_t>{1, 3}));
    const SearchResult tara = find("TARA", true);
    ASSERT_EQ(tara.rows.size(), 1u);
    EXPECT_EQ(tara.rows[0].text, "Asocia\xFEia \xDE"
                                 "ara Beta");
}

TEST(SearchCompanies, NameTextIsALowerCaseSubstringAnywhere)
{
    TempDir dir;
    WriteCompanies(dir, {Company("ABCON SRL"), Company("MEGA ABC"), Company("XABCX"), Company("AB C"),
                         Company("ABC DEF")});
    CompanyCriteria criteria;
    criteria.nameText = "abc";
    EXPECT_EQ(Numbers(SearchCompanies(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{0, 1, 2, 4}));
    criteria.nameText = "abc ";
    EXPECT_EQ(Numbers(SearchCompanies(dir.path(), criteria, Language::EN)), (std::vector<std::int64_t>{4}));
    // The text is taken as typed: its case does not count either.
    criteria.nameText = "aBC";
    EXPECT_EQ(Numbers(SearchCompanies(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{0, 1, 2, 4}));
}

TEST(SearchCompanies, CountyCriterionLetsEmptyCountiesThrough)
{
    TempDir dir;
    WriteCompanies(dir, {Company("A", "CJ"), Company("B", ""), Company("C", "B"), Company("D", "C")});
    CompanyCriteria criteria;
    criteria.countyCode = "CJ";
    EXPECT_EQ(Numbers(SearchCompanies(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{0, 1}));
}

TEST(SearchCompanies, TypeCriterionWalksEntriesUntilTheFirstEmptyOne)
{
    TempDir dir;
    WriteCompanies(dir, {
                            Company("EMPTY FIRST", "", {"", "a.a.1*t"}),
                            Company("THIRD", "", {"a.a.1*s", "a.a.2*p", "b.a.1*t"}),
                            Company("AFTER GAP", "", {"a.a.1*s", "", "b.a.1*t"}),
                            Company("NONE", "", {"a.a.1*s", "a.a.2*s", "a.a.3*s", "a.a.4*s"}),
                            Company("UPPER", "", {"a.a.1*T"}),
                        });
    CompanyCriteria criteria;
    criteria.typeLetter = "t";
    const SearchResult result = SearchCompanies(dir.path(), criteria, Language::EN);
    EXPECT_EQ(Numbers(result), (std::vector<std::int64_t>{1}));
    // The type column shows the main entry's letter, not the one that matched.
    EXPECT_EQ(result.rows[0].type, "S");
    // A letter given in upper case stands for the stored lower-case one.
    criteria.typeLetter = "T";
    EXPECT_EQ(Numbers(SearchCompanies(dir.path(), criteria, Language::EN)), (std::vector<std::int64_t>{1}));
}

TEST(SearchCompanies, CategoryCriterionMatchesAnyEntryCode)
{
    TempDir dir;
    WriteCompanies(dir, {
                            Company("ONE", "", {"a.a.1*t"}),
                            Company("FOURTH", "", {"b.a.1*t", "b.a.2*t", "b.a.3*t", "a.a.2*p"}),
                            Company("NO STAR", "", {"a.a.1t"}),
                            Company("UPPER CODE", "", {"A.A.1*t"}),
                            Company("OTHER", "", {"c.a.1*t"}),
                        });
    CompanyCriteria criteria;
    criteria.categoryCodes = {"a.a.1", "a.a.2"};
    EXPECT_EQ(Numbers(SearchCompanies(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{0, 1}));
    // Codes as the category table writes them find the stored lower-case ones.
    criteria.categoryCodes = {"a.A.1", "A.A.2"};
    EXPECT_EQ(Numbers(SearchCompanies(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{0, 1}));
}

TEST(SearchCompanies, StopsAtTheRowLimit)
{
    TempDir dir;
    std::vector<CompanyRecord> records(2001, Company("FIRMA"));
    WriteCompanies(dir, records);
    SearchResult result = SearchCompanies(dir.path(), {}, Language::EN);
    EXPECT_EQ(result.outcome, SearchOutcome::LimitReached);
    EXPECT_EQ(result.rows.size(), 2000u);
    EXPECT_EQ(result.rows.back().recordNumber, 1999);
    EXPECT_EQ(result.status, "Over 2000 records found. Only first 2000 records are displayed.\rPlease "
                             "redefine your search criteria.");

    records.pop_back();
    WriteCompanies(dir, {}); // file kept; rewrite it with exactly 2000
    std::filesystem::resize_file(dir / "database.db", 2000 * company_layout::kRecordSize);
    result = SearchCompanies(dir.path(), {}, Language::EN);
    EXPECT_EQ(result.outcome, SearchOutcome::Found);
    EXPECT_EQ(result.rows.size(), 2000u);
    EXPECT_EQ(result.status, "Found 2000 records.");
}

TEST(SearchCompanies, PartsReadAtOnceGiveTheSameRowsAsOnePass)
{
    TempDir dir;
    std::vector<CompanyRecord> records;
    for (int i = 0; i < 4500; ++i) {
        // Matches bunch up in the middle so the row limit falls inside a part.
        const bool match = (i % 3 == 0) || (i > 1500 && i < 3800 && i % 2 == 0);
        records.push_back(Company(match ? "FIRMA MATCH " + std::to_string(i) : "ALTA " + std::to_string(i)));
    }
    WriteCompanies(dir, records);
    CompanyCriteria criteria;
    criteria.nameText = "match";
    const SearchResult one = SearchCompaniesInParts(dir.path(), criteria, Language::EN, 1);
    EXPECT_EQ(one.outcome, SearchOutcome::LimitReached);
    for (std::size_t parts : {2u, 3u, 4u, 7u}) {
        const SearchResult many = SearchCompaniesInParts(dir.path(), criteria, Language::EN, parts);
        EXPECT_EQ(many.rows, one.rows) << parts << " parts";
        EXPECT_EQ(many.outcome, one.outcome);
        EXPECT_EQ(many.status, one.status);
    }
    criteria.nameText = "match 4"; // few matches, all in the last parts
    const SearchResult few = SearchCompaniesInParts(dir.path(), criteria, Language::EN, 1);
    EXPECT_EQ(SearchCompaniesInParts(dir.path(), criteria, Language::EN, 4).rows, few.rows);
    EXPECT_EQ(few.outcome, SearchOutcome::Found);
}

TEST(SearchCompanies, UnopenableFileGivesOneBoxAndNothingElse)
{
    TempDir dir;
    SearchResult result = SearchCompanies(dir.path(), {}, Language::EN);
    EXPECT_EQ(result.outcome, SearchOutcome::CannotOpen);
    EXPECT_EQ(result.errorMessage,
              "Could not open database.db file. Make sure that file exists and is not read-only");
    EXPECT_TRUE(result.status.empty());
    EXPECT_FALSE(result.showNoResult);

    WriteCompanies(dir, {Company("A")});
    std::filesystem::permissions(dir / "database.db", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    result = SearchCompanies(dir.path(), {}, Language::RO);
    EXPECT_EQ(result.outcome, SearchOutcome::CannotOpen);
    EXPECT_EQ(result.errorMessage.substr(0, 45), "Nu am putut deschide fisierul database.db. Da");
}

TEST(SearchCompanies, EmptyFileAndPartialRecord)
{
    TempDir dir;
    test::WriteBytes(dir / "database.db", "");
    SearchResult result = SearchCompanies(dir.path(), {}, Language::EN);
    EXPECT_TRUE(result.rows.empty());
    EXPECT_TRUE(result.showNoResult);
    EXPECT_EQ(result.status, "Found 0 records.");

    WriteCompanies(dir, {Company("WHOLE")});
    test::WriteBytes(dir / "database.db", test::ReadBytes(dir / "database.db") + "\x05garbage");
    EXPECT_EQ(SearchCompanies(dir.path(), {}, Language::EN).rows.size(), 1u);
}

TEST(FillSubdomains, DomainLinesGroupLinesAndAll)
{
    const CategoryTable& table = CategoryTable::Builtin();
    SubdomainList list = FillSubdomains("     Business", table, Language::EN);
    ASSERT_EQ(list.names.size(), 11u);
    EXPECT_EQ(list.codes.front(), "a.a.1");
    EXPECT_EQ(list.codes.back(), "a.a.11");
    EXPECT_EQ(list.names.front(), "Insurance Companies");

    list = FillSubdomains("Business Mass.media Advertising", table, Language::EN);
    EXPECT_EQ(list.names.size(), 23u);
    EXPECT_EQ(list.codes.back(), "a.c.23");

    EXPECT_EQ(FillSubdomains("     Mass.media", table, Language::EN).names.size(), 8u);
    EXPECT_EQ(FillSubdomains("Casa Recreere Sport Turism", table, Language::RO).names.size(), 27u);
    EXPECT_EQ(FillSubdomains("All", table, Language::EN).names.size(), 320u);
    EXPECT_EQ(FillSubdomains("     Health", table, Language::EN).names.size(), 21u);
    EXPECT_EQ(FillSubdomains("Culture Institutions Education Health", table, Language::EN).names.size(), 63u);
    EXPECT_TRUE(FillSubdomains("     Nowhere", table, Language::EN).names.empty());
    EXPECT_TRUE(FillSubdomains("   ", table, Language::EN).names.empty());
}

} // namespace
} // namespace dorvanta
