#include "data/opportunity_record.h"
#include "data/record_file.h"
#include "search/opportunity_search.h"
#include "support/record_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

using test::TempDir;

OpportunityRecord Ad(const std::string& subject, const std::string& group, const std::string& type,
                     const std::string& county = "")
{
    OpportunityRecord record;
    record.Subject = subject;
    record.DomainLetter = group;
    record.AdType = type;
    record.County = county;
    record.Description = "description with keyword";
    record.Company = "KEYWORD COMPANY";
    return record;
}

void WriteAds(const TempDir& dir, const std::vector<OpportunityRecord>& records)
{
    test::WriteRecordFile(dir / "bursa.db", records);
}

std::vector<std::int64_t> Numbers(const SearchResult& result)
{
    std::vector<std::int64_t> numbers;
    for (const ResultRow& row : result.rows) {
        numbers.push_back(row.recordNumber);
    }
    return numbers;
}

TEST(SearchOpportunities, NoCriteriaListsNewestFirst)
{
    TempDir dir;
    WriteAds(dir, {Ad("Oferta lemn", "d", "1"), Ad("Caut camion", "g", "2"), Ad("Transport", "g", "3"),
                   Ad("Odd type", "a", "7")});
    const SearchResult result = SearchOpportunities(dir.path(), {}, Language::EN);
    EXPECT_EQ(Numbers(result), (std::vector<std::int64_t>{3, 2, 1, 0}));
    EXPECT_EQ(result.rows[0].type, "");
    EXPECT_EQ(result.rows[1], (ResultRow{2, "Service", "Transport"}));
    EXPECT_EQ(result.rows[2].type, "Request");
    EXPECT_EQ(SearchOpportunities(dir.path(), {}, Language::RO).rows[2].type, "Cerere");
    EXPECT_EQ(result.status, "Found 4 records.");
}

TEST(SearchOpportunities, CriteriaTestCountyGroupTypeAndSubjectOnly)
{
    TempDir dir;
    WriteAds(dir, {Ad("Cherestea", "c", "2", "CJ"), Ad("Mobila", "c", "2", ""), Ad("Mobila", "c", "1", "CJ"),
                   Ad("Mobila", "", "2", "CJ"), Ad("Mobila", "cc", "2", "CJ"), Ad("Mobila", "c", "2", "B")});
    OpportunityCriteria criteria;
    criteria.domainLetter = "c";
    criteria.typeDigit = "2";
    criteria.countyCode = "CJ";
    EXPECT_EQ(Numbers(SearchOpportunities(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{1, 0}));
    criteria.keyword = "mob";
    EXPECT_EQ(Numbers(SearchOpportunities(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{1}));
    // The keyword is taken as typed and the group letter in any case.
    criteria.keyword = "MoB";
    criteria.domainLetter = "C";
    EXPECT_EQ(Numbers(SearchOpportunities(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{1}));
    // Description and company are not searched.
    OpportunityCriteria keywordOnly;
    keywordOnly.keyword = "keyword";
    const SearchResult none = SearchOpportunities(dir.path(), keywordOnly, Language::EN);
    EXPECT_TRUE(none.rows.empty());
    EXPECT_TRUE(none.showNoResult);
}

TEST(SearchOpportunities, KeywordFoldsRomanianLettersAndMayIgnoreDiacritics)
{
    TempDir dir;
    WriteAds(dir, {Ad("V\xC2NZARE \xAA"
                      "TIFTURI",
                      "a", "1"),
                   Ad("Vanzare stifturi", "a", "1")});
    OpportunityCriteria criteria;
    criteria.keyword = "v\xE2nzare \xBA";
    EXPECT_EQ(Numbers(SearchOpportunities(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{0}));
    criteria.ignoreDiacritics = true;
    EXPECT_EQ(Numbers(SearchOpportunities(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{1, 0}));
    criteria = OpportunityCriteria{};
    criteria.keyword = "STIF";
    EXPECT_EQ(Numbers(SearchOpportunities(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{1}));
    criteria.ignoreDiacritics = true;
    EXPECT_EQ(Numbers(SearchOpportunities(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{1, 0}));
}

TEST(SearchOpportunities, LimitKeepsTheFirstMatchesShownLatestFirst)
{
    TempDir dir;
    WriteAds(dir, std::vector<OpportunityRecord>(2001, Ad("Ad", "a", "1")));
    SearchResult result = SearchOpportunities(dir.path(), {}, Language::EN);
    EXPECT_EQ(result.outcome, SearchOutcome::LimitReached);
    ASSERT_EQ(result.rows.size(), 2000u);
    EXPECT_EQ(result.rows.front().recordNumber, 1999);
    EXPECT_EQ(result.rows.back().recordNumber, 0);
    EXPECT_EQ(result.status, "Over 2000 records found. Only first 2000 records are displayed.\rPlease "
                             "redefine your search criteria.");

    std::filesystem::resize_file(dir / "bursa.db", 2000 * opportunity_layout::kRecordSize);
    result = SearchOpportunities(dir.path(), {}, Language::EN);
    EXPECT_EQ(result.rows.size(), 2000u);
    EXPECT_EQ(result.status, "Found 2000 records.");
}

TEST(SearchOpportunities, MissingFileSetsMessageTenAndAsksForTheNoResultBox)
{
    TempDir dir;
    const SearchResult result = SearchOpportunities(dir.path(), {}, Language::EN);
    EXPECT_EQ(result.outcome, SearchOutcome::FileMissing);
    EXPECT_EQ(result.status,
              "Opportunities database(bursa.db) does not exist. This file was moved or deleted.");
    EXPECT_TRUE(result.showNoResult);
}

TEST(SearchOpportunities, DateFilterKeepsTheLastSevenOrThirtyDaysCountingToday)
{
    TempDir dir;
    const DayNumber today = DayNumberOf(2024, 3, 1);
    std::vector<OpportunityRecord> ads;
    // Today, 6, 7, 29 and 30 days before (across 29 February), tomorrow, and
    // dates that do not parse.
    for (const char* date : {"01.03.2024", "24/02/2024", "2024-02-23", "01.02.2024", "31.01.2024",
                             "02.03.2024", "30.02.2024", "ieri"}) {
        ads.push_back(Ad(date, "a", "1"));
        ads.back().InsertDate = date;
    }
    WriteAds(dir, ads);

    OpportunityCriteria criteria;
    const SearchResult all = SearchOpportunities(dir.path(), criteria, Language::EN);
    EXPECT_EQ(all.rows.size(), ads.size());
    // The row carries the date as stored, whether it parses or not.
    EXPECT_EQ(all.rows[0].date, "ieri");
    EXPECT_EQ(all.rows[2].date, "02.03.2024");
    // Without a filter, today plays no part.
    criteria.today = today;
    EXPECT_EQ(SearchOpportunities(dir.path(), criteria, Language::EN).rows, all.rows);

    criteria.withinDays = 7;
    EXPECT_EQ(Numbers(SearchOpportunities(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{5, 1, 0}));
    criteria.withinDays = 30;
    EXPECT_EQ(Numbers(SearchOpportunities(dir.path(), criteria, Language::EN)),
              (std::vector<std::int64_t>{5, 3, 2, 1, 0}));
}

TEST(SearchOpportunities, UnopenableFileNamesTheProblemInsteadOfNoResult)
{
    TempDir dir;
    WriteAds(dir, {Ad("Ad", "a", "1")});
    std::filesystem::permissions(dir / "bursa.db", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    SearchResult result = SearchOpportunities(dir.path(), {}, Language::EN);
    EXPECT_EQ(result.outcome, SearchOutcome::CannotOpen);
    EXPECT_TRUE(result.status.empty());
    EXPECT_EQ(result.errorMessage,
              "Could not open bursa.db file. Make sure that file exists and is not read-only");
    EXPECT_FALSE(result.showNoResult);

    // Windows deletes no read-only file.
    std::filesystem::permissions(dir / "bursa.db", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    // Not a file at all: the same, in the other language.
    std::filesystem::remove(dir / "bursa.db");
    std::filesystem::create_directory(dir / "bursa.db");
    result = SearchOpportunities(dir.path(), {}, Language::RO);
    EXPECT_EQ(result.outcome, SearchOutcome::CannotOpen);
    EXPECT_EQ(result.errorMessage.substr(0, 40), "Nu am putut deschide fisierul bursa.db. ");
    EXPECT_FALSE(result.showNoResult);
}

} // namespace
} // namespace dorvanta
