#include "model/Shared.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

TEST(Zodiac, OutsideTheCalendar) {
    // Only the month is checked, and the day is compared as it is. (Every sign's first and last
    // day and its element: PanelsTest.SignNamesAndPicturesOfEverySign.)
    EXPECT_EQ(ZodiacSignOf(1, 0), 0);
    EXPECT_EQ(ZodiacSignOf(1, 13), 0);
    EXPECT_EQ(ZodiacSignOf(31, 4), 2);
    EXPECT_EQ(ZodiacSignOf(std::numeric_limits<std::int32_t>::min(), 5), 2);
    EXPECT_EQ(ElementOf(0), 0);
    EXPECT_EQ(ElementOf(13), 0);
    EXPECT_EQ(ElementOf(std::numeric_limits<unsigned>::max()), 0);
}

TEST(CountWithWord, RussianWordFormsOfEveryCount) {
    // The grammar books' rule: last two digits 11 to 14 take the "many" form; otherwise a last
    // digit 1 takes "one", 2 to 4 "few", the rest "many". A negative count follows its absolute
    // value ("-1 день").
    const auto form = [](long long n) {
        n = std::llabs(n);
        if (n % 100 >= 11 && n % 100 <= 14)
            return 2;
        return n % 10 == 1 ? 0 : (n % 10 >= 2 && n % 10 <= 4) ? 1 : 2;
    };
    const char* const dayWords[] = {"день", "дня", "дней"};
    const char* const yearWords[] = {"год", "года", "лет"};
    std::vector<std::int32_t> counts;
    for (std::int32_t n = -1250; n <= 1250; ++n)
        counts.push_back(n);
    for (std::int32_t n :
         {12345, 100011, 1000001, 1000012, 1000022, 99999, std::numeric_limits<std::int32_t>::max(),
          std::numeric_limits<std::int32_t>::min()})
        counts.push_back(n);
    for (std::int32_t n : counts) {
        const std::string number = std::to_string(n) + " ";
        ASSERT_EQ(CountWithWord(n, true), number + dayWords[form(n)]) << n;
        ASSERT_EQ(CountWithWord(n, false), number + yearWords[form(n)]) << n;
    }
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
