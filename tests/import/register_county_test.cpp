#include "import/register_county.h"

#include "data/code_tables.h"
#include "import/register_text.h"

#include <gtest/gtest.h>

#include <cctype>

namespace dorvanta {
namespace {

std::string CountyOf(std::string_view county, std::string_view country = "Rom\xC3\xA2nia")
{
    return RegisterCountyCode(RegisterTextTo1250(county), RegisterTextTo1250(country));
}

TEST(RegisterCounty, CountiesInEverySpelling)
{
    EXPECT_EQ(CountyOf("Bistri\xC8\x9B"
                       "a-N\xC4\x83s\xC4\x83ud"),
              "BN");
    EXPECT_EQ(CountyOf("BISTRITA NASAUD"), "BN");
    EXPECT_EQ(CountyOf("Cara\xC5\x9F-Severin"), "CS");
    EXPECT_EQ(CountyOf("  satu   mare "), "SM");
    EXPECT_EQ(CountyOf("V\xC3\xA2lcea"), "VL");
    EXPECT_EQ(CountyOf("Jude\xC8\x9Bul Ia\xC8\x99i"), "IS");
    for (const County& county : kCounties) {
        std::string capitals(county.name);
        for (char& c : capitals) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        EXPECT_EQ(CountyOf(capitals), county.code == "OU" ? "" : county.code) << capitals;
    }
}

TEST(RegisterCounty, BucharestInEveryForm)
{
    for (const char* form : {"Bucure\xC8\x99ti", "Municipiul Bucure\xC8\x99ti", "Bucure\xC8\x99ti Sectorul 1",
                             "Bucuresti", "Mun. Bucuresti", "Sector 3", "MUNICIPIUL BUCURE\xC5\x9ETI"}) {
        EXPECT_EQ(CountyOf(form), "B") << form;
    }
}

TEST(RegisterCounty, ForeignAndUnknown)
{
    EXPECT_EQ(CountyOf("Cluj", ""), "CJ");
    EXPECT_EQ(CountyOf("Cluj", "ROMANIA"), "CJ");
    EXPECT_EQ(CountyOf("Cluj", "Romania"), "CJ");
    EXPECT_EQ(CountyOf("Bavaria", "Germania"), "OU");
    EXPECT_EQ(CountyOf("", "Italia"), "OU");
    EXPECT_EQ(CountyOf("Atlantis"), "");
    EXPECT_EQ(CountyOf(""), "");
}

} // namespace
} // namespace dorvanta
