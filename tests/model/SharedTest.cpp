#include "model/Shared.h"

#include <gtest/gtest.h>

#include <limits>

TEST(Zodiac, SignBoundariesAndElements) {
    EXPECT_EQ(ZodiacSignOf(20, 3), 12);
    EXPECT_EQ(ZodiacSignOf(21, 3), 1);
    EXPECT_EQ(ZodiacSignOf(19, 2), 11);
    EXPECT_EQ(ZodiacSignOf(20, 2), 12);
    EXPECT_EQ(ZodiacSignOf(21, 12), 9);
    EXPECT_EQ(ZodiacSignOf(22, 12), 10);
    EXPECT_EQ(ZodiacSignOf(23, 8), 5);
    EXPECT_EQ(ZodiacSignOf(24, 8), 6);
    EXPECT_EQ(ZodiacSignOf(20, 1), 10);
    EXPECT_EQ(ZodiacSignOf(21, 1), 11);
    EXPECT_EQ(ZodiacSignOf(22, 10), 7);
    EXPECT_EQ(ZodiacSignOf(23, 10), 8);
    EXPECT_EQ(ZodiacSignOf(1, 0), 0);
    EXPECT_EQ(ZodiacSignOf(1, 13), 0);
    EXPECT_EQ(ZodiacSignOf(std::numeric_limits<std::int32_t>::min(), 5), 2);

    const std::int32_t elements[] = {3, 1, 4, 2, 3, 1, 4, 2, 3, 1, 4, 2};
    for (unsigned sign = 1; sign <= 12; ++sign)
        EXPECT_EQ(ElementOf(sign), elements[sign - 1]) << sign;
    EXPECT_EQ(ElementOf(0), 0);
    EXPECT_EQ(ElementOf(13), 0);
    EXPECT_EQ(ElementOf(std::numeric_limits<unsigned>::max()), 0);
}

TEST(CountWithWord, RussianWordForms) {
    struct Case {
        std::int32_t number;
        const char* years;
        const char* days;
    };
    const Case cases[] = {
        {0, "0 лет", "0 дней"},          {1, "1 год", "1 день"},
        {2, "2 года", "2 дня"},          {5, "5 лет", "5 дней"},
        {11, "11 лет", "11 дней"},       {14, "14 лет", "14 дней"},
        {20, "20 лет", "20 дней"},       {21, "21 год", "21 день"},
        {22, "22 года", "22 дня"},       {25, "25 лет", "25 дней"},
        {100, "100 лет", "100 дней"},    {101, "101 год", "101 день"},
        {111, "111 лет", "111 дней"},    {112, "112 лет", "112 дней"},
        {121, "121 год", "121 день"},    {200, "200 лет", "200 дней"},
        {1002, "1002 года", "1002 дня"}, {12345, "12345 лет", "12345 дней"},
        {-1, "-1 год", "-1 день"},       {-5, "-5 лет", "-5 дней"},
        {-22, "-22 года", "-22 дня"},    {-111, "-111 лет", "-111 дней"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountWithWord(c.number, false), c.years);
        EXPECT_EQ(CountWithWord(c.number, true), c.days);
    }
    EXPECT_EQ(CountWithWord(std::numeric_limits<std::int32_t>::min(), true), "-2147483648 дней");
    EXPECT_EQ(CountWithWord(std::numeric_limits<std::int32_t>::max(), true), "2147483647 дней");
}

TEST(NameTable, IndexedFromOneAndSafeOutside) {
    TNameTable<4> table;
    EXPECT_EQ(table[1], "");
    table.Set(1, "Земля");
    table.Set(4, "Воздух");
    table.Set(0, "never");
    table.Set(5, "never");
    EXPECT_EQ(table[1], "Земля");
    EXPECT_EQ(table[4], "Воздух");
    EXPECT_EQ(table[0], "");
    EXPECT_EQ(table[5], "");
    EXPECT_EQ(table[-1000], "");
    table.Clear();
    EXPECT_EQ(table[1], "");
}
