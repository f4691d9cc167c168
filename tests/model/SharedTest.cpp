#include "model/Shared.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

// Each sign's first and last day and its element (1 earth, 2 water, 3 fire, 4 air): Aries is
// fire, Taurus earth, Gemini air, Cancer water, and so on round the year.
struct SignRow {
    std::int32_t sign;
    unsigned firstMonth, firstDay, lastMonth, lastDay;
    std::int32_t element;
};
constexpr SignRow Signs[] = {
    {1, 3, 21, 4, 20, 3},   {2, 4, 21, 5, 21, 1},   {3, 5, 22, 6, 21, 4},  {4, 6, 22, 7, 22, 2},
    {5, 7, 23, 8, 23, 3},   {6, 8, 24, 9, 23, 1},   {7, 9, 24, 10, 22, 4}, {8, 10, 23, 11, 22, 2},
    {9, 11, 23, 12, 21, 3}, {10, 12, 22, 1, 20, 1}, {11, 1, 21, 2, 19, 4}, {12, 2, 20, 3, 20, 2},
};

} // namespace

TEST(Zodiac, FirstAndLastDayOfEverySignAndItsElement) {
    for (const SignRow& row : Signs) {
        SCOPED_TRACE(row.sign);
        EXPECT_EQ(ZodiacSignOf(static_cast<std::int32_t>(row.firstDay), row.firstMonth), row.sign);
        EXPECT_EQ(ZodiacSignOf(static_cast<std::int32_t>(row.lastDay), row.lastMonth), row.sign);
        EXPECT_EQ(ElementOf(static_cast<unsigned>(row.sign)), row.element);
    }
    // Outside the calendar: only the month is checked, and the day is compared as it is.
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
