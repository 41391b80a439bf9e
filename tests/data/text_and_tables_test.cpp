#include "data/category_table.h"
#include "data/code_tables.h"
#include "data/domain_tree.h"
#include "data/messages.h"
#include "data/resources.h"
#include "data/text.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace dorvanta {
namespace {

TEST(TitleCaseName, FollowsTheDisplayRules)
{
    EXPECT_EQ(TitleCaseName("x"), "x");
    EXPECT_EQ(TitleCaseName("X"), "x");
    EXPECT_EQ(TitleCaseName(""), "");
    EXPECT_EQ(TitleCaseName("ab srl"), "Ab SRL");
    EXPECT_EQ(TitleCaseName("ab sa x"), "Ab SA X");
    EXPECT_EQ(TitleCaseName("COMPANIA DE TEST SRL"), "Compania De Test SRL");
    EXPECT_EQ(TitleCaseName("o'neill-pop s.a."), "O'neill-Pop S.A.");
    EXPECT_EQ(TitleCaseName("a&b,c;d.e"), "A&B,C;D.E");
    // The Romanian capitals fold as A-Z do: "ŞERBAN ŢARA-ĂLA ÂNCA ÎN" and
    // "Ş" alone (too short to title-case) give small letters.
    EXPECT_EQ(TitleCaseName("\xAA"
                            "ERBAN \xDE"
                            "ARA-\xC3LA \xC2NCA \xCEN SRL"),
              "\xAA"
              "erban \xDE"
              "ara-\xC3la \xC2nca \xCEn SRL");
    EXPECT_EQ(TitleCaseName("\xBA"
                            "a"),
              "\xAA"
              "a");
    EXPECT_EQ(TitleCaseName("\xAA"), "\xBA");
    // " Sa " needs a space after it; " Srl" matches inside a longer word too.
    EXPECT_EQ(TitleCaseName("firma sa"), "Firma Sa");
    EXPECT_EQ(TitleCaseName("x srlz"), "X SRLz");
}

TEST(TextHelpers, LinesTrimAndCase)
{
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(SplitLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
    EXPECT_TRUE(IsBlank(" \x01\t"));
    EXPECT_EQ(ToLower("ABC\xC3z"), "abc\xE3z");
    EXPECT_EQ(ToUpper("abc\xE3Z"), "ABC\xC3Z");
    EXPECT_EQ(DotsToSpaces("Mass.Media"), "Mass Media");
}

TEST(CodeTables, CountiesTypesAndAdTypes)
{
    EXPECT_EQ(CountyCode("Outside"), "OU");
    EXPECT_EQ(CountyCode("Bistrita Nasaud"), "BN");
    EXPECT_EQ(CountyCode("All"), "All");
    EXPECT_EQ(CountyCode("cluj"), "cluj");
    EXPECT_EQ(CountyName("B"), "Bucuresti");
    EXPECT_EQ(CountyName("OU"), "Outside");
    EXPECT_EQ(CountyName(""), "");
    EXPECT_EQ(CountyName("XX"), "XX");
    const auto counties = CountyBoxItems();
    ASSERT_EQ(counties.size(), 44u);
    EXPECT_EQ(counties[0], "All");
    EXPECT_EQ(counties[1], "Alba");
    EXPECT_EQ(counties[43], "Outside");

    EXPECT_EQ(CompanyTypeBoxItems(Language::RO)[4], "Sediu (H)");
    std::string word = "previous";
    CompanyTypeWord('x', Language::EN, word);
    EXPECT_EQ(word, "previous");
    CompanyTypeWord('H', Language::EN, word);
    EXPECT_EQ(word, "Office");
    CompanyTypeWord('s', Language::RO, word);
    EXPECT_EQ(word, "Presteaza servicii");

    EXPECT_EQ(AdTypeWord("2", Language::RO), "Cerere");
    EXPECT_EQ(AdTypeWord("3", Language::EN), "Service");
    EXPECT_FALSE(AdTypeWord("4", Language::EN));
    EXPECT_FALSE(AdTypeWord("12", Language::EN));
    EXPECT_EQ(AdTypeBoxItems(Language::EN),
              (std::vector<std::string>{"All", "Offers", "Requests", "Services"}));
}

TEST(Resources, AreFoundWithoutRegardToCaseAndHaveTheirLines)
{
    EXPECT_TRUE(FindResource("db"));
    EXPECT_TRUE(FindResource("Domenii_En"));
    EXPECT_FALSE(FindResource("nothing"));
    for (const char* name : {"DOMENII_EN", "DOMENII_RO"}) {
        const auto lines = ResourceLines(name);
        ASSERT_EQ(lines.size(), 43u) << name;
        int groups = 0;
        for (const std::string& line : lines) {
            groups += line.front() != ' ';
            if (line.front() == ' ') {
                EXPECT_EQ(line.substr(0, 5), "     ");
                EXPECT_NE(line[5], ' ');
            }
        }
        EXPECT_EQ(groups, 10) << name;
    }
    EXPECT_EQ(ResourceLines("DOMENII_EN")[2], "     Mass.media");
    const auto english = ResourceLines("internet_en");
    ASSERT_EQ(english.size(), 10u);
    EXPECT_EQ(english[0], "Business Mass.media Advertising");
    EXPECT_EQ(english[9], "Culture Institutions Education Health");
    EXPECT_EQ(ResourceLines("INTERNET_RO")[4], "Comert Servicii");
}

TEST(DomainTree, ReadsGroupsAndDomainsByTheirLeadingSpace)
{
    const DomainTree tree("     Orphan\r\nTrade Services\r\n     Trade\r\n\r\n     Services\r\nClothing");
    ASSERT_EQ(tree.groups().size(), 2u);
    EXPECT_EQ(tree.groups()[1].letter, 'b');
    ASSERT_EQ(tree.groups()[0].domains.size(), 2u);
    EXPECT_EQ(tree.groups()[0].domains[1].line, "     Services");
    EXPECT_EQ(tree.groups()[0].domains[1].name, "Services");
    EXPECT_EQ(tree.Lines(),
              (std::vector<std::string>{"Trade Services", "     Trade", "     Services", "Clothing"}));

    EXPECT_EQ(GroupLetters(), "abcdefghij");
    EXPECT_EQ(GroupPosition('a'), 0u);
    EXPECT_EQ(GroupPosition('j'), 9u);
    EXPECT_FALSE(GroupPosition('k'));
    EXPECT_FALSE(GroupPosition('A'));
}

TEST(DomainTree, BuiltinTreesAgreeWithTheAdGroupsInBothLanguages)
{
    for (const Language language : {Language::EN, Language::RO}) {
        const DomainTree& tree = DomainTree::Domains(language);
        // The update dialog lists the tree's groups, the ad menus the group list:
        // position i must be group letter a + i in both.
        ASSERT_EQ(tree.groups().size(), kGroupCount);
        EXPECT_EQ(tree.GroupLines(), DomainTree::AdGroups(language).GroupLines());
        EXPECT_EQ(tree.Lines(), ResourceLines(Pick(language, "DOMENII_EN", "DOMENII_RO")));
        std::size_t domains = 0;
        for (std::size_t i = 0; i < kGroupCount; ++i) {
            const DomainGroup& group = tree.groups()[i];
            EXPECT_EQ(group.letter, GroupLetter(i));
            // The subdomain list finds a group's letter by its first domain's name.
            ASSERT_FALSE(group.domains.empty());
            EXPECT_TRUE(group.line.starts_with(group.domains[0].name)) << group.line;
            domains += group.domains.size();
        }
        EXPECT_EQ(domains, 33u);
    }
    EXPECT_EQ(DomainTree::Domains(Language::EN).groups()[4].line, "Trade Services");
    EXPECT_EQ(DomainTree::Domains(Language::RO).groups()[9].line, "Cultura Institutii Invatamant Sanatate");
}

TEST(CategoryTable, HasTheDomainsWithTheirCountsAndSerials)
{
    const CategoryTable& table = CategoryTable::Builtin();
    ASSERT_EQ(table.size(), 320u);
    EXPECT_EQ(table.rows()[0].line, "a.A.1,Afaceri-Asigurari&Reasigurari,Business-Insurance.Companies");
    std::map<std::string, int> perDomain;
    std::map<char, int> lastSerial;
    for (const CategoryRow& row : table.rows()) {
        ASSERT_GE(row.code.size(), 5u) << row.line;
        perDomain[row.code.substr(0, 3)]++;
        const int serial = std::stoi(row.code.substr(4));
        EXPECT_EQ(serial, lastSerial[row.code[0]] + 1) << row.line;
        lastSerial[row.code[0]] = serial;
        for (const std::string* name : {&row.romanian, &row.english}) {
            EXPECT_EQ(std::count(name->begin(), name->end(), '-'), 1) << row.line;
            EXPECT_EQ(name->find(','), std::string::npos) << row.line;
        }
    }
    EXPECT_EQ(perDomain.size(), 33u);
    EXPECT_EQ(perDomain["a.A"], 11);
    EXPECT_EQ(perDomain["e.B"], 22);
    EXPECT_EQ(perDomain["j.D"], 22);
    EXPECT_EQ(lastSerial['g'], 43);
    EXPECT_EQ(lastSerial['j'], 63);
}

TEST(CategoryTable, CategoryTextLooksUpCodesWithoutRegardToCase)
{
    const CategoryTable& table = CategoryTable::Builtin();
    EXPECT_EQ(table.CategoryText("a.a.1*t", Language::EN), "Business-Insurance.Companies");
    EXPECT_EQ(table.CategoryText("a.a.1*t", Language::RO), "Afaceri-Asigurari&Reasigurari");
    EXPECT_EQ(table.CategoryText("A.B.12", Language::EN), "Mass.Media-Agency&Group&Publishing&Editorial");
    EXPECT_EQ(table.CategoryText("z.z.99*t", Language::EN), "z.z.99");
    EXPECT_EQ(table.CategoryText("", Language::EN), "");
}

TEST(CategoryTable, SubdomainNamesByDomainIgnoreCaseAndMissTheOddHealthRow)
{
    const CategoryTable& table = CategoryTable::Builtin();
    const auto business = table.SubdomainNames("business", Language::EN);
    ASSERT_EQ(business.size(), 11u);
    EXPECT_EQ(business[0], "Insurance Companies");
    EXPECT_EQ(table.SubdomainNames("Mass.media", Language::EN).size(), 8u);
    EXPECT_EQ(table.SubdomainNames("Sanatate", Language::RO).size(), 22u);
    EXPECT_EQ(table.SubdomainNames("Health", Language::EN).size(), 21u);
    EXPECT_EQ(table.SubdomainNames("ALL", Language::EN).size(), 320u);
    EXPECT_TRUE(table.SubdomainNames("  ", Language::EN).empty());
    EXPECT_TRUE(table.SubdomainNames("Nowhere", Language::EN).empty());
}

TEST(Messages, KnownNumbersAndFallbacks)
{
    EXPECT_EQ(InfoMessageText(0, Language::EN), "Undefined");
    EXPECT_EQ(InfoMessageText(0, Language::RO), "Nedefinit");
    EXPECT_EQ(InfoMessageText(1, Language::EN), "Your search did not return any result");
    EXPECT_EQ(InfoMessageText(10, Language::EN), "Undefined");
    EXPECT_EQ(GetMessageText(1, Language::EN), "Undefined message");
    EXPECT_EQ(GetMessageText(1, Language::RO), "Mesaj nedefinit");
    EXPECT_EQ(GetMessageText(2, Language::EN),
              "Over 2000 records found. Only first 2000 records are displayed.\rPlease redefine your search "
              "criteria.");
    EXPECT_EQ(GetMessageText(5, Language::RO),
              "Au existat erori in timpul descarcarii informatiei. Reluati updatarea.");
    EXPECT_EQ(GetMessageText(4, Language::EN), "Undefined message");
    EXPECT_EQ(GetMessageText(10, Language::RO), "Baza de date cu oportunitati nu exista.");
    EXPECT_EQ(FoundRecordsText(2000, Language::EN), "Found 2000 records.");
    EXPECT_EQ(FoundRecordsText(3, Language::RO), "Au fost gasite 3 inregistrari.");
}

} // namespace
} // namespace dorvanta
