#include "data/category_table.h"
#include "data/code_tables.h"
#include "data/company_record.h"
#include "data/record_file.h"
#include "data/text.h"
#include "search/company_column.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

namespace dorvanta {
namespace {

using test::TempDir;

const std::vector<CategoryRow>& Categories()
{
    return CategoryTable::Builtin().rows();
}

// An activity entry of any category and any type letter, in the case the
// table writes it or in lower case, and now and then one without a code.
std::string RandomEntry(std::mt19937& random)
{
    if (random() % 20 == 0) {
        return "x";
    }
    std::string code = Categories()[random() % Categories().size()].code;
    if (random() % 2 == 0) {
        code = ToLowerAZ(code);
    }
    return code + "*" + kCompanyTypes[random() % kCompanyTypes.size()].letter;
}

// Names, counties and activities drawn from small pools, so that every
// criterion both hits and misses; the letters include Romanian capitals and
// small letters with and without diacritics.
CompanyRecord RandomCompany(std::mt19937& random)
{
    static const char* kWords[] = {"alfa",
                                   "\xAA"
                                   "ERBAN",
                                   "serban",
                                   "\xDE"
                                   "ara",
                                   "TARA",
                                   "b\xE3lan",
                                   "BALAN",
                                   "impex",
                                   "SRL",
                                   "Sa",
                                   "\xCE"
                                   "n"};
    static const char* kCounties[] = {"", "B", "CJ", "AB"};

    CompanyRecord record;
    const int words = static_cast<int>(random() % 4); // 0: a deleted record
    for (int i = 0; i < words; ++i) {
        record.Company += std::string(i ? " " : "") + kWords[random() % std::size(kWords)];
    }
    record.County = kCounties[random() % std::size(kCounties)];
    const std::size_t activities = random() % 5;
    for (std::size_t a = 0; a < activities; ++a) {
        record.Field(company_layout::Activity1 + a) = RandomEntry(random);
    }
    // The fields of the word, phone and fiscal-code criteria, in the shapes people write them.
    static const char* kPlaces[] = {"Str. Morii nr. 12",
                                    "Cluj-Napoca",
                                    "Bucure\xBAti",
                                    "BUCURESTI",
                                    "Sector 1",
                                    "\xAA"
                                    "os. Giurgiului"};
    static const char* kPeople[] = {"Ion",
                                    "ION",
                                    "Popescu",
                                    "\xAA"
                                    "tefan",
                                    "Stefan",
                                    "Maria"};
    static const char* kPhones[] = {"",
                                    "+40721123456",
                                    "0721-123 456",
                                    "0040 21 312 34 56",
                                    "(021)3123456",
                                    "0264/123456",
                                    "0721123456 0744999888",
                                    "021 312 3456; 0744 999 888",
                                    "12"};
    static const char* kAbout[] = {"CUI 12345678, J40/1/2020",
                                   "CUI: RO 87654321",
                                   "cui12345678",
                                   "Livr\xE3m \xEEn \xFE"
                                   "ara",
                                   "livram in TARA",
                                   "CUI",
                                   "servicii"};
    const auto join = [&random](const auto& pool, const char* separator) {
        std::string text;
        for (std::size_t i = random() % 4; i > 0; --i) {
            text += (text.empty() ? "" : separator) + std::string(pool[random() % std::size(pool)]);
        }
        return text;
    };
    record.Address = join(kPlaces, ", ");
    record.Representative = join(kPeople, " ");
    record.Mobile = kPhones[random() % std::size(kPhones)];
    record.Phone = kPhones[random() % std::size(kPhones)];
    record.Fax = random() % 4 == 0 ? kPhones[random() % std::size(kPhones)] : "";
    record.Description = join(kAbout, ". ");
    return record;
}

void Append(const TempDir& dir, std::mt19937& random, int count)
{
    RecordFile file(dir / "database.db", company_layout::kRecordSize, RecordFile::Open::CreateIfMissing);
    for (int i = 0; i < count; ++i) {
        file.Append(RandomCompany(random).Encode().data());
    }
    file.Close();
}

std::vector<CompanyCriteria> SomeCriteria(std::mt19937& random)
{
    static const char* kNames[] = {"",
                                   "a",
                                   "serban",
                                   "\xBA"
                                   "erban",
                                   "tara",
                                   "\xFE"
                                   "ara",
                                   "b\xE3l",
                                   "srl",
                                   " sa",
                                   "n ",
                                   "zzz"};
    const auto someCriteria = [&] {
        CompanyCriteria criteria;
        criteria.nameText = kNames[random() % std::size(kNames)];
        criteria.countyCode = random() % 3 == 0 ? std::string("CJ") : std::string();
        criteria.ignoreDiacritics = random() % 2 == 0;
        return criteria;
    };
    std::vector<CompanyCriteria> all;
    for (int i = 0; i < 40; ++i) {
        CompanyCriteria criteria = someCriteria();
        if (random() % 3 == 0) {
            criteria.categoryCodes = {"a.a.1", "c.a.2"};
        }
        criteria.typeLetter = random() % 3 == 0 ? std::string("t") : std::string();
        all.push_back(criteria);
    }
    // Every category (with a second one at random, in either case) and every
    // type letter (in either case), alone and together.
    for (const CategoryRow& row : Categories()) {
        CompanyCriteria criteria = someCriteria();
        criteria.categoryCodes = {random() % 2 ? row.code : ToLowerAZ(row.code),
                                  Categories()[random() % Categories().size()].code};
        if (random() % 4 == 0) {
            criteria.typeLetter = kCompanyTypes[random() % kCompanyTypes.size()].letter;
        }
        all.push_back(criteria);
    }
    for (const CompanyType& type : kCompanyTypes) {
        for (const bool upper : {false, true}) {
            CompanyCriteria criteria = someCriteria();
            criteria.typeLetter = std::string(1, upper ? ToUpperAZ(type.letter) : type.letter);
            all.push_back(criteria);
        }
    }
    // The word, phone and fiscal-code criteria, alone, together and with the others.
    static const char* kTowns[] = {"cluj", "bucuresti", "Bucure\xBAti", "napoca CLUJ", "sector", "zzz", "-"};
    static const char* kPeople[] = {"ion", "\xBAtefan", "stefan popescu"};
    static const char* kPhones[] = {"0721", "+40 721", "721123", "021", "3123456", "07", "0744 999", "x"};
    static const char* kCodes[] = {"12345678", "RO12345678", "ro 87654321", "x1"};
    static const char* kWords[] = {"tara",
                                   "\xFE"
                                   "ara",
                                   "livram", "cui", "j40 2020"};
    const auto pick = [&random](const auto& pool) {
        return random() % 3 == 0 ? std::string(pool[random() % std::size(pool)]) : std::string();
    };
    for (int i = 0; i < 60; ++i) {
        CompanyCriteria criteria = i % 3 == 0 ? someCriteria() : CompanyCriteria{};
        criteria.ignoreDiacritics = random() % 2 == 0;
        criteria.town = pick(kTowns);
        criteria.representative = pick(kPeople);
        criteria.phone = pick(kPhones);
        criteria.fiscalCode = pick(kCodes);
        criteria.descriptionWords = pick(kWords);
        all.push_back(criteria);
    }
    return all;
}

void ExpectSameAsTheScan(const TempDir& dir, CompanyColumn& column, std::mt19937& random)
{
    // A search of a changed file scans and reads the column anew meanwhile.
    column.Search(dir.path(), {}, Language::EN);
    column.WaitUntilBuilt();
    ASSERT_TRUE(column.Built());
    // The first search by words scans and reads the index meanwhile.
    CompanyCriteria byTown;
    byTown.town = "cluj";
    column.Search(dir.path(), byTown, Language::EN);
    column.WaitUntilBuilt();
    ASSERT_TRUE(column.IndexBuilt());
    for (const CompanyCriteria& criteria : SomeCriteria(random)) {
        const SearchResult scan = SearchCompanies(dir.path(), criteria, Language::EN);
        const SearchResult fromColumn = column.Search(dir.path(), criteria, Language::EN);
        EXPECT_EQ(fromColumn.rows, scan.rows)
            << criteria.nameText << " " << criteria.ignoreDiacritics << " " << criteria.town << "|"
            << criteria.representative << "|" << criteria.phone << "|" << criteria.fiscalCode << "|"
            << criteria.descriptionWords;
        EXPECT_EQ(fromColumn.outcome, scan.outcome);
        EXPECT_EQ(fromColumn.status, scan.status);
    }
}

// The column answers as the scan does, on random files, with and without
// diacritics, and stays so when another program appends to or rewrites the
// file between searches.
TEST(CompanyColumn, GivesTheScansResultsAcrossChangesOfTheFile)
{
    TempDir dir;
    std::mt19937 random(7);
    Append(dir, random, 3000); // past the result limit for the wide criteria
    CompanyColumn column;
    ExpectSameAsTheScan(dir, column, random);

    Append(dir, random, 50); // appended by another program
    ExpectSameAsTheScan(dir, column, random);

    // Rewritten to the same size: only the modification time tells.
    std::filesystem::remove(dir / "database.db");
    Append(dir, random, 3050);
    std::filesystem::last_write_time(dir / "database.db",
                                     std::filesystem::file_time_type::clock::now() + std::chrono::seconds(5));
    ExpectSameAsTheScan(dir, column, random);

    // Made read-only, unchanged otherwise: reported as the scan reports it.
    std::filesystem::permissions(dir / "database.db", std::filesystem::perms::owner_read);
    EXPECT_EQ(column.Search(dir.path(), {}, Language::EN).outcome, SearchOutcome::CannotOpen);
    // The helper that the failed search started must end before the file
    // goes: Windows removes a file that is still open only when it is closed.
    column.WaitUntilBuilt();
    // Windows keeps a read-only file from being removed.
    std::filesystem::permissions(dir / "database.db", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    std::filesystem::remove(dir / "database.db");
    const SearchResult missing = column.Search(dir.path(), {}, Language::EN);
    EXPECT_EQ(missing.outcome, SearchOutcome::CannotOpen);
}

// Another program rewrites a record in place and puts the modification time
// back: size and modification time are as before, the change time is not.
TEST(CompanyColumn, SeesARewriteOfTheSameSizeAndTime)
{
    TempDir dir;
    std::mt19937 random(3);
    Append(dir, random, 100);
    CompanyColumn column;
    CompanyCriteria criteria;
    criteria.nameText = "rewritten";
    column.Search(dir.path(), criteria, Language::EN);
    column.WaitUntilBuilt();
    ASSERT_TRUE(column.Built());
    ASSERT_TRUE(column.Search(dir.path(), criteria, Language::EN).rows.empty());

    const auto path = dir / "database.db";
    const auto modified = std::filesystem::last_write_time(path);
    {
        RecordFile file(path, company_layout::kRecordSize);
        CompanyRecord record;
        record.Company = "REWRITTEN SRL";
        file.Write(42, record.Encode().data());
        file.Close();
    }
    std::filesystem::last_write_time(path, modified);
    const SearchResult found = column.Search(dir.path(), criteria, Language::EN);
    ASSERT_EQ(found.rows.size(), 1u);
    EXPECT_EQ(found.rows[0].recordNumber, 42);
}

// The window forgets the column after writing the file itself.
TEST(CompanyColumn, InvalidateDropsTheColumnAndOneBeingRead)
{
    TempDir dir;
    std::mt19937 random(5);
    Append(dir, random, 1000);
    CompanyColumn column;
    column.Search(dir.path(), {}, Language::EN);
    column.Invalidate(); // while the column may still be read
    column.WaitUntilBuilt();
    EXPECT_FALSE(column.Built());
    EXPECT_EQ(column.MemoryBytes(), 0u);
    column.Search(dir.path(), {}, Language::EN);
    column.WaitUntilBuilt();
    EXPECT_TRUE(column.Built());
    column.Invalidate();
    EXPECT_FALSE(column.Built());
}

TEST(CompanyColumn, HoldsLittleMoreThanTheNames)
{
    TempDir dir;
    std::mt19937 random(11);
    Append(dir, random, 10000);
    CompanyColumn column;
    CompanyCriteria criteria;
    criteria.nameText = "alfa";
    column.Search(dir.path(), criteria, Language::EN);
    column.WaitUntilBuilt();
    column.Search(dir.path(), criteria, Language::EN);
    // Names of at most 3 words of 6 letters, and 19 bytes a record besides.
    EXPECT_LE(column.MemoryBytes(), 10000u * (21 + 19) + 4096);
}

} // namespace
} // namespace dorvanta
