// The panels' rules that turn box texts and positions into search criteria.

#include "app/panel_criteria.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

TEST(MakeCompanyCriteria, WorksOutTheBoxes)
{
    CompanyPanelChoice choice;
    choice.nameBox = "Search for company?";
    EXPECT_TRUE(MakeCompanyCriteria(choice).nameText.empty());
    choice.nameBox = "Cauti o companie?";
    EXPECT_TRUE(MakeCompanyCriteria(choice).nameText.empty());
    choice.nameBox = "Mega Impex ";
    choice.countyIndex = 12;
    choice.countyName = "Cluj";
    choice.typeIndex = 1;
    choice.typeEntry = "Trader (T)";
    CompanyCriteria criteria = MakeCompanyCriteria(choice);
    EXPECT_EQ(criteria.nameText, "Mega Impex ");
    EXPECT_EQ(criteria.countyCode, "CJ");
    EXPECT_EQ(criteria.typeLetter, "t");
    EXPECT_TRUE(criteria.categoryCodes.empty());
    choice.typeEntry = "Producator (P)";
    EXPECT_EQ(MakeCompanyCriteria(choice).typeLetter, "p");
    // "All" chosen: whatever text the box holds, no criterion.
    choice.countyIndex = 0;
    choice.typeIndex = 0;
    EXPECT_TRUE(MakeCompanyCriteria(choice).countyCode.empty());
    EXPECT_TRUE(MakeCompanyCriteria(choice).typeLetter.empty());

    choice.subdomainCodes = {"a.a.1", "a.a.2", "a.a.3"};
    choice.domainIndex = 2;
    EXPECT_EQ(MakeCompanyCriteria(choice).categoryCodes, choice.subdomainCodes);
    choice.subdomainIndex = 2;
    EXPECT_EQ(MakeCompanyCriteria(choice).categoryCodes, (std::vector<std::string>{"a.a.2"}));
    choice.domainIndex = 0;
    EXPECT_EQ(MakeCompanyCriteria(choice).categoryCodes, (std::vector<std::string>{"a.a.2"}));
    choice.subdomainIndex = 0;
    EXPECT_TRUE(MakeCompanyCriteria(choice).categoryCodes.empty());
}

TEST(MakeOpportunityCriteria, WorksOutTheBoxes)
{
    OpportunityPanelChoice choice;
    choice.keywordBox = "Toate cuvintele?";
    EXPECT_TRUE(MakeOpportunityCriteria(choice).keyword.empty());
    choice.keywordBox = "Any keyword?";
    EXPECT_TRUE(MakeOpportunityCriteria(choice).keyword.empty());
    choice.keywordBox = "Lemn ";
    choice.domainIndex = 3;
    choice.typeIndex = 2;
    choice.countyIndex = 43;
    choice.countyName = "Outside";
    OpportunityCriteria criteria = MakeOpportunityCriteria(choice);
    EXPECT_EQ(criteria.keyword, "Lemn ");
    EXPECT_EQ(criteria.domainLetter, "c");
    EXPECT_EQ(criteria.typeDigit, "2");
    EXPECT_EQ(criteria.countyCode, "OU");
    choice.domainIndex = 10;
    EXPECT_EQ(MakeOpportunityCriteria(choice).domainLetter, "j");
}

} // namespace
} // namespace dorvanta
