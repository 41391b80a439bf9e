#include "data/company_record.h"
#include "data/record_file.h"
#include "search/company_column.h"
#include "search/company_search.h"
#include "search/company_words.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

using test::TempDir;

bool PhoneFinds(std::string_view typed, std::string_view field)
{
    const PhoneKey key = TypedPhone(typed);
    for (const std::uint64_t number : PhoneKeysOf(field)) {
        if (key.Prefixes(number)) {
            return true;
        }
    }
    return false;
}

TEST(CompanyWords, PhoneDigitsMatchWhateverTheWriting)
{
    // One number in its usual writings, typed in others.
    for (const char* stored :
         {"+40 721 123 456", "0721-123-456", "0040721123456", "40721123456", "(0721)123456"}) {
        for (const char* typed : {"0721123456", "+40721", "721 123", "0040 7211"}) {
            EXPECT_TRUE(PhoneFinds(typed, stored)) << typed << " in " << stored;
        }
        EXPECT_FALSE(PhoneFinds("0722", stored)) << stored;
        EXPECT_FALSE(PhoneFinds("123456", stored)) << stored; // not a prefix
    }
    // Several numbers to a field, however they are separated.
    for (const char* stored : {"0264123456/0744999888", "0264 123456, 0744 999 888", "0264123456 0744999888",
                               "021 312 3456; 0744999888", "0264123456\r\n0744999888"}) {
        EXPECT_TRUE(PhoneFinds("0744999", stored)) << stored;
        EXPECT_FALSE(PhoneFinds("0264999", stored)) << stored;
    }
    EXPECT_TRUE(PhoneFinds("021", "021 312 34 56"));
    EXPECT_TRUE(PhoneFinds("0268412", "0268/412345"));
    // Fewer than 3 digits, or nothing left after the prefix: no number.
    EXPECT_EQ(TypedPhone("07").digits, 0u);
    EXPECT_EQ(TypedPhone("0040").digits, 0u);
}

TEST(CompanyWords, FiscalCodeAfterCui)
{
    EXPECT_EQ(FiscalCodeOf("CUI 12345678, J40/1000/2020, \xEEnregistrat\xE3 01.01.2020"), 12345678u);
    EXPECT_EQ(FiscalCodeOf("Firma, cui: RO 87654321"), 87654321u);
    EXPECT_EQ(FiscalCodeOf("ACUI 1, CUI"), std::nullopt); // not the word; no number
    EXPECT_EQ(TypedFiscalCode("RO12345678"), 12345678u);
    EXPECT_EQ(TypedFiscalCode(" ro 12345678 "), 12345678u);
    EXPECT_EQ(TypedFiscalCode("12345678x"), std::nullopt);
}

// The scan and the column's index give the same, exact rows.
TEST(CompanyWords, SearchesByEveryCriterion)
{
    TempDir dir;
    {
        RecordFile file(dir / "database.db", company_layout::kRecordSize, RecordFile::Open::CreateIfMissing);
        CompanyRecord a;
        a.Company = "ALFA SRL";
        a.Address = "Str. G\xE3rii nr. 3, Cluj-Napoca";
        a.Representative = "\xAA"
                           "tefan Pop";
        a.Mobile = "+40 744 999 888";
        a.Description = "CUI 12345678, J12/1/2020, \xEEnregistrat\xE3 01.01.2020";
        CompanyRecord b = a;
        b.Company = "BETA SRL";
        b.Address = "Bucuresti, Sector 1";
        b.Representative = "Ion Stefan";
        b.Mobile = "";
        b.Phone = "021 312 3456";
        b.Description = "CUI 87654321, Gara de Nord";
        CompanyRecord deleted = a;
        deleted.Company = "";
        for (const CompanyRecord* record : {&a, &b, &deleted}) {
            file.Append(record->Encode().data());
        }
        file.Close();
    }
    CompanyColumn column;
    column.Search(dir.path(), {}, Language::EN);
    column.WaitUntilBuilt();
    const auto expect = [&](CompanyCriteria criteria, std::vector<std::int64_t> numbers) {
        std::vector<std::int64_t> scan;
        for (const ResultRow& row : SearchCompanies(dir.path(), criteria, Language::EN).rows) {
            scan.push_back(row.recordNumber);
        }
        EXPECT_EQ(scan, numbers) << criteria.town << criteria.phone << criteria.fiscalCode;
        column.Search(dir.path(), criteria, Language::EN);
        column.WaitUntilBuilt();
        std::vector<std::int64_t> indexed;
        for (const ResultRow& row : column.Search(dir.path(), criteria, Language::EN).rows) {
            indexed.push_back(row.recordNumber);
        }
        EXPECT_EQ(indexed, numbers) << "index: " << criteria.town << criteria.phone << criteria.fiscalCode;
    };
    CompanyCriteria c;
    c.town = "napoca";
    expect(c, {0});
    c.town = "CLUJ g\xE3rii";
    expect(c, {0});
    c.town = "garii";
    expect(c, {});
    c.ignoreDiacritics = true;
    expect(c, {0});
    c = {};
    c.representative = "stefan";
    expect(c, {1});
    c.ignoreDiacritics = true;
    expect(c, {0, 1});
    c = {};
    c.phone = "0744 99";
    expect(c, {0});
    c.phone = "+40213123456";
    expect(c, {1});
    c = {};
    c.fiscalCode = "RO12345678";
    expect(c, {0});
    c.fiscalCode = "1234567";
    expect(c, {});
    c = {};
    c.descriptionWords = "gara nord";
    expect(c, {1});
    c.nameText = "alfa";
    expect(c, {});
}

} // namespace
} // namespace dorvanta
