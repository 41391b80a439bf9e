#include "update/ole_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace dorvanta {
namespace {

TEST(OleDate, WorkedExamples)
{
    EXPECT_EQ(ToOleDate({1899, 12, 30, 0, 0, 0}), 0.0);
    EXPECT_EQ(ToOleDate({2000, 1, 1, 0, 0, 0}), 36526.0);
    EXPECT_EQ(ToOleDate({2004, 11, 15, 12, 0, 0}), 38306.5);
    EXPECT_EQ(ToOleDate({1900, 3, 1, 0, 0, 0}), 61.0);
    EXPECT_EQ(ToOleDate({9999, 12, 31, 0, 0, 0}), 2958465.0);
    EXPECT_EQ(ToOleDate({100, 1, 1, 0, 0, 0}), -657434.0);
    // Before the epoch the time of day adds to the magnitude.
    EXPECT_EQ(ToOleDate({1899, 12, 29, 6, 0, 0}), -1.25);
    EXPECT_EQ(ToOleDate({1800, 1, 1, 18, 0, 0}), -36522.75);

    EXPECT_EQ(FromOleDate(36526.0), (LocalDateTime{2000, 1, 1, 0, 0, 0}));
    EXPECT_EQ(FromOleDate(38306.5), (LocalDateTime{2004, 11, 15, 12, 0, 0}));
    EXPECT_EQ(FromOleDate(-1.25), (LocalDateTime{1899, 12, 29, 6, 0, 0}));
    EXPECT_EQ(FromOleDate(-36522.75), (LocalDateTime{1800, 1, 1, 18, 0, 0}));
    // Between -1 and 0 the day is the epoch itself: -0.5 and 0.5 are the same noon.
    EXPECT_EQ(FromOleDate(-0.5), (LocalDateTime{1899, 12, 30, 12, 0, 0}));
    EXPECT_EQ(FromOleDate(0.5), (LocalDateTime{1899, 12, 30, 12, 0, 0}));
}

TEST(OleDate, TimesSurviveFloatingPointRounding)
{
    // 10:00 is not exact in binary; it must not come back as 09:59:59.
    EXPECT_EQ(FromOleDate(38306.0 + 10.0 / 24.0), (LocalDateTime{2004, 11, 15, 10, 0, 0}));
    EXPECT_EQ(FromOleDate(-(38306.0 + 10.0 / 24.0)), (LocalDateTime{1795, 2, 12, 10, 0, 0}));
    // Milliseconds are dropped, not rounded into the next second or day.
    EXPECT_EQ(FromOleDate(38306.0 + 86399.7 / 86400.0), (LocalDateTime{2004, 11, 15, 23, 59, 59}));
    // A value a hair below midnight is midnight of the next day.
    EXPECT_EQ(FromOleDate(38306.9999999999), (LocalDateTime{2004, 11, 16, 0, 0, 0}));
    EXPECT_EQ(FromOleDate(-1.9999999999), (LocalDateTime{1899, 12, 30, 0, 0, 0}));

    for (int year : {100, 1582, 1899, 1900, 1970, 2000, 2004, 2038, 9999}) {
        for (const LocalDateTime when :
             {LocalDateTime{year, 1, 1, 0, 0, 0}, LocalDateTime{year, 2, 28, 23, 59, 59},
              LocalDateTime{year, 12, 31, 13, 7, 1}}) {
            EXPECT_EQ(FromOleDate(ToOleDate(when)), when) << year;
        }
    }
}

TEST(OleDate, RejectsWhatIsNoDate)
{
    EXPECT_EQ(FromOleDate(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(FromOleDate(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(FromOleDate(-std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(FromOleDate(1e300), std::nullopt);
    EXPECT_EQ(FromOleDate(2958466.0), std::nullopt);
    EXPECT_EQ(FromOleDate(std::nextafter(2958466.0, 0.0)), std::nullopt); // rounds up into the year 10000
    EXPECT_EQ(FromOleDate(-657435.0), std::nullopt);
    EXPECT_EQ(FromOleDate(2958465.5), (LocalDateTime{9999, 12, 31, 12, 0, 0}));
    EXPECT_EQ(FromOleDate(-657434.5), (LocalDateTime{100, 1, 1, 12, 0, 0}));

    EXPECT_THROW(ToOleDate({2001, 2, 29, 0, 0, 0}), std::invalid_argument);
    EXPECT_THROW(ToOleDate({1900, 2, 29, 0, 0, 0}), std::invalid_argument);
    EXPECT_NO_THROW(ToOleDate({2000, 2, 29, 0, 0, 0}));
    EXPECT_THROW(ToOleDate({2004, 4, 31, 0, 0, 0}), std::invalid_argument);
    EXPECT_THROW(ToOleDate({2004, 13, 1, 0, 0, 0}), std::invalid_argument);
    EXPECT_THROW(ToOleDate({2004, 0, 1, 0, 0, 0}), std::invalid_argument);
    EXPECT_THROW(ToOleDate({2004, 1, 1, 24, 0, 0}), std::invalid_argument);
    EXPECT_THROW(ToOleDate({2004, 1, 1, 0, 60, 0}), std::invalid_argument);
    EXPECT_THROW(ToOleDate({2004, 1, 1, 0, 0, -1}), std::invalid_argument);
    EXPECT_THROW(ToOleDate({99, 12, 31, 0, 0, 0}), std::invalid_argument);
    EXPECT_THROW(ToOleDate({10000, 1, 1, 0, 0, 0}), std::invalid_argument);
}

TEST(OleDate, StoredAsEightLittleEndianBytes)
{
    EXPECT_EQ(OleDateBytes(36526.0), (std::vector<std::uint8_t>{0, 0, 0, 0, 0xC0, 0xD5, 0xE1, 0x40}));
    EXPECT_EQ(OleDateBytes(38306.5), (std::vector<std::uint8_t>{0, 0, 0, 0, 0x50, 0xB4, 0xE2, 0x40}));
    EXPECT_EQ(OleDateFromBytes({0, 0, 0, 0, 0x50, 0xB4, 0xE2, 0x40}), 38306.5);
    EXPECT_EQ(OleDateFromBytes(OleDateBytes(-1.25)), -1.25);
    EXPECT_EQ(OleDateFromBytes({0, 0, 0, 0, 0x50, 0xB4, 0xE2}), std::nullopt);
    EXPECT_EQ(OleDateFromBytes({0, 0, 0, 0, 0x50, 0xB4, 0xE2, 0x40, 0}), std::nullopt);
    EXPECT_EQ(OleDateFromBytes({}), std::nullopt);
    const auto nan = OleDateFromBytes({0, 0, 0, 0, 0, 0, 0xF8, 0x7F});
    ASSERT_TRUE(nan.has_value());
    EXPECT_EQ(FromOleDate(*nan), std::nullopt);
}

} // namespace
} // namespace dorvanta
