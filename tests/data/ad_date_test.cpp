#include "data/ad_date.h"

#include <gtest/gtest.h>

namespace dorvanta {
namespace {

TEST(ParseAdDate, ReadsTheThreeFormsAndRefusesWhatIsNoCalendarDate)
{
    const DayNumber day = DayNumberOf(2024, 3, 5);
    EXPECT_EQ(day - DayNumberOf(2024, 3, 4), 1);
    for (const char* text : {"05.03.2024", "05/03/2024", "2024-03-05", " 05.03.2024 "}) {
        EXPECT_EQ(ParseAdDate(text), day) << text;
    }
    // 29 February only in leap years: 2000 is one, 1900 and 2023 are not.
    EXPECT_EQ(ParseAdDate("29.02.2024"), DayNumberOf(2024, 2, 29));
    EXPECT_EQ(ParseAdDate("2000-02-29"), DayNumberOf(2000, 2, 29));
    EXPECT_EQ(ParseAdDate("31/12/1969"), -1);
    for (const char* text :
         {"29.02.2023", "29.02.1900", "31.04.2024", "00.03.2024", "05.00.2024", "05.13.2024", "32.01.2024",
          "05.03/2024", "2024.03.05", "5.3.2024", "05-03-2024", "2024/03/05", "05.03.24", "0000-01-01",
          "05.03.2024x", "05.0a.2024", "", "azi"}) {
        EXPECT_EQ(ParseAdDate(text), std::nullopt) << text;
    }
}

} // namespace
} // namespace dorvanta
