#include "import/register_mapping.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dorvanta {
namespace {

RegisterCompany TestCompany()
{
    RegisterCompany company;
    company.name = "TEST \xC8\x98"
                   "ERBAN`S SRL";
    company.cui = "12345678";
    company.registration = "J40/1000/2020";
    company.registrationDate = "1/01/2020";
    company.legalForm = "SRL";
    company.country = "Rom\xC3\xA2nia";
    company.county = "Bucure\xC8\x99ti";
    company.locality = "Bucure\xC8\x99ti Sectorul 1";
    company.street = "Str. Lipscani";
    company.number = "10";
    company.postalCode = "030031";
    company.sector = "1";
    company.web = "www.test.ro office@test.ro";
    // Rev.3 first, then by class; 0111 and 0112 share a category; 9700 and the
    // Rev.1 class map to nothing; 5610 comes fifth.
    company.activities = {{2, "0112"}, {1, "5211"}, {2, "1102"}, {3, "6201"}, {2, "4711"},
                          {2, "9700"}, {2, "0111"}, {2, "5610"}, {2, "4711"}};
    company.states = {{2069, "sediu expirat"}, {1048, "func\xC8\x9Biune"}};
    return company;
}

TEST(RegisterMapping, AWholeCompanyGivesItsLine)
{
    RegisterMappingCounts counts;
    const RegisterLineFields fields = MapRegisterCompany(TestCompany(), counts);
    EXPECT_EQ(CompanyLineOf(fields), "!TEST \xAA"
                                     "ERBAN'S SRL`B`Str. Lipscani nr. 10, Bucure\xBAti Sectorul 1, 030031"
                                     "`````office@test.ro`www.test.ro`f.a.2*s`b.a.2*p`b.c.23*p`e.a.3*t`"
                                     "CUI 12345678, J40/1000/2020, \xEEnregistrat\xE3 01.01.2020, SRL, "
                                     "func\xFEiune, sediu expirat`");
    EXPECT_EQ(counts.unknownCounty, 0u);
    EXPECT_EQ(counts.unmappedClasses, 2u);
    EXPECT_EQ(counts.unmappedByClass.size(), 2u);
    EXPECT_EQ((counts.unmappedByClass[{1, "5211"}]), 1u);
    EXPECT_EQ(CompanyLineOf(fields, true), "@TEST \xAA"
                                           "ERBAN'S SRL``````````````");
}

TEST(RegisterMapping, TheLineDoesNotDependOnTheOrderOfTheRows)
{
    RegisterCompany company = TestCompany();
    RegisterMappingCounts counts;
    const RegisterLineFields fields = MapRegisterCompany(company, counts);
    std::reverse(company.activities.begin(), company.activities.end());
    std::reverse(company.states.begin(), company.states.end());
    EXPECT_EQ(MapRegisterCompany(company, counts), fields);
}

TEST(RegisterMapping, NamesCountyAndWebAreCutOrDropped)
{
    RegisterCompany company;
    company.name = std::string(79, 'A') + " \xC4\x82XYZ";
    company.county = "Atlantida";
    company.web = "nu are";
    RegisterMappingCounts counts;
    const RegisterLineFields fields = MapRegisterCompany(company, counts);
    EXPECT_EQ(fields[0], std::string(79, 'A'));
    EXPECT_EQ(fields[1], "");
    EXPECT_EQ(counts.unknownCounty, 1u);
    EXPECT_EQ(fields[7], "");
    EXPECT_EQ(fields[8], "");
    EXPECT_EQ(fields[9], "");
    EXPECT_EQ(fields[13], "");
}

TEST(RegisterMapping, StatesThatEndACompany)
{
    for (const char* ended : {"radiat\xC4\x83", "RADIATA", "dizolvare", "Dizolvare judiciar\xC4\x83",
                              "lichidare", "\xC3\xAEn lichidare", "faliment"}) {
        EXPECT_TRUE(StateEndsCompany(ended)) << ended;
    }
    for (const char* living :
         {"func\xC8\x9Biune", "\xC3\xAEntrerupere temporar\xC4\x83 de activitate", "sediu expirat", ""}) {
        EXPECT_FALSE(StateEndsCompany(living)) << living;
    }
}

} // namespace
} // namespace dorvanta
