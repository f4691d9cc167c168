#include "model/DateTime.h"

#include <gtest/gtest.h>

#include <limits>

using namespace std::chrono;

TEST(DateTime, EncodesAndDecodesAcrossTheCalendar) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2009, 1, 5), 39818.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
    EXPECT_FALSE(EncodeDate(0, 12, 31));
    EXPECT_FALSE(EncodeDate(10000, 1, 1));

    EXPECT_EQ(DecodeDate(39818.0), year{2009} / January / 5);
    // The fraction is the time of day, before 1899 too.
    EXPECT_EQ(DecodeDate(-1.25), year{1899} / December / 29);
    EXPECT_EQ(DecodeDate(39818.99), year{2009} / January / 5);
    EXPECT_FALSE(DecodeDate(-693594.0));
    EXPECT_FALSE(DecodeDate(2958466.0));
    EXPECT_FALSE(DecodeDate(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(DecodeDate(std::numeric_limits<double>::infinity()));
}

TEST(DateTime, SpansAreTruncatedAbsoluteDifferences) {
    const double a = *EncodeDate(2001, 1, 1);
    EXPECT_EQ(YearsBetween(a, *EncodeDate(2002, 1, 1)), 0); // 365 days
    EXPECT_EQ(YearsBetween(*EncodeDate(2000, 1, 1), a), 1); // 366 days
    EXPECT_EQ(YearsBetween(*EncodeDate(2004, 1, 1), *EncodeDate(2000, 1, 1)), 4);
    EXPECT_EQ(DaysBetween(*EncodeDate(2000, 1, 11), *EncodeDate(2000, 1, 1)), 10);
    EXPECT_EQ(DaysBetween(1.75, 0.0), 1);
    // No overflow, however far apart.
    EXPECT_EQ(DaysBetween(1e300, -1e300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(DaysBetween(std::numeric_limits<double>::quiet_NaN(), 0), 0);
    EXPECT_EQ(DaysInMonth(2023, 0), 0u);
    EXPECT_EQ(DateOf(39818.75), 39818.0);
}

// Every month of years that test each leap-year rule: its last day is valid, the day after it,
// day 0, month 0 and 13 are not, and neither are numbers that would wrap in 8 bits (256 + n).
// Consecutive days are one apart, across month and year ends.
TEST(DateTime, EveryMonthEndsWhereTheGregorianCalendarSays) {
    const auto leap = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
    constexpr unsigned Length[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int y : {1, 4, 100, 1600, 1601, 1900, 1980, 2000, 2023, 2024, 2100, 9996, 9999}) {
        double previousLast = y == 1 ? -693594.0 : *EncodeDate(y - 1, 12, 31);
        for (unsigned m = 1; m <= 12; ++m) {
            const unsigned last = Length[m - 1] + (m == 2 && leap(y) ? 1 : 0);
            SCOPED_TRACE(testing::Message() << y << "-" << m);
            ASSERT_TRUE(EncodeDate(y, m, 1));
            EXPECT_EQ(*EncodeDate(y, m, 1), previousLast + 1);
            ASSERT_TRUE(EncodeDate(y, m, last));
            EXPECT_EQ(*EncodeDate(y, m, last) - *EncodeDate(y, m, 1), last - 1.0);
            EXPECT_EQ(DaysInMonth(y, m), last);
            EXPECT_FALSE(EncodeDate(y, m, last + 1));
            EXPECT_FALSE(EncodeDate(y, m, 0));
            EXPECT_FALSE(EncodeDate(y, m, 256 + m));
            EXPECT_FALSE(EncodeDate(y, m, 256 + last));
            EXPECT_FALSE(EncodeDate(y, 256 + m, 1));
            EXPECT_FALSE(EncodeDate(y, m, 32));
            previousLast = *EncodeDate(y, m, last);
        }
        EXPECT_FALSE(EncodeDate(y, 0, 1));
        EXPECT_FALSE(EncodeDate(y, 13, 1));
    }
}
