#include "model/DisplaySettings.h"
#include "model/Shared.h"
#include "tests/CycleFormulas.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

// Prognose and the cycles in use in DisplaySettings, as the main window updates them.
class PrognoseTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDisplaySettings(); }
    void TearDown() override { ResetDisplaySettings(); }

    static void Use(TCycleSet cycles) {
        for (CycleKind kind : AllCycles)
            DisplaySettings.SetFlag(CycleFlag(kind), cycles.Contains(kind));
    }

    // Sets the prognosis date and both persons' birth date, then updates.
    static TDatalogging& Update(TDateTime date, TDateTime birth) {
        Prognose.SetPrognoseDate(date);
        Prognose.Man.SetBirthDate(birth);
        Prognose.Woman.SetBirthDate(birth);
        Prognose.UpdateAll();
        return Prognose.Man;
    }
};

} // namespace

TEST_F(PrognoseTest, EachCycleIsItsOwnSineOfAmplitude25) {
    for (CycleKind kind : AllCycles) {
        const int c = static_cast<int>(kind);
        SCOPED_TRACE(c);
        const long double period = formula::Periods[static_cast<std::size_t>(c)];
        EXPECT_NEAR(static_cast<double>(CycleFactor(kind) * period), 2 * M_PI, 1e-15);
        EXPECT_EQ(CycleValue(0, CycleFactor(kind)), 0.0L);
        for (std::int32_t n = 1; n <= 400; ++n)
            ASSERT_NEAR(static_cast<double>(CycleValue(n, CycleFactor(kind))),
                        static_cast<double>(formula::Cycle(n, c)), 1e-12)
                << n;
    }
}

TEST_F(PrognoseTest, ACycleTableGivesTheBitsOfEachValueComputedAlone) {
    // A table of days 100..160 asked as a refresh asks it, the search's sums over some cycles
    // first, then each cycle's value and the sums and means of every set; at its ends, inside,
    // just outside and far away. A table longer than a year holds nothing and answers the same.
    const TCycleSet some{CycleKind::Emotional, CycleKind::Heart};
    for (const auto& [first, last] : {std::pair{100, 160}, std::pair{0, 400}}) {
        const TCycleTable table(first, last);
        for (std::int32_t n : {100, 160, 131, 99, 161, 0, 3652059}) {
            SCOPED_TRACE(testing::Message() << first << ".." << last << ", day " << n);
            EXPECT_EQ(table.Sum(n, some), CycleSum(n, some));
            for (CycleKind kind : AllCycles)
                EXPECT_EQ(table.Value(n, kind), CycleValue(n, CycleFactor(kind)));
            for (unsigned mask = 0; mask <= formula::AllCycles; ++mask) {
                EXPECT_EQ(table.Sum(n, CyclesOf(mask)), CycleSum(n, CyclesOf(mask)));
                EXPECT_EQ(table.Mean(n, CyclesOf(mask)), CycleMean(n, CyclesOf(mask)));
            }
        }
    }
}

TEST_F(PrognoseTest, ColoursAndFreshRecords) {
    TBiorhythmPrognose fresh;
    EXPECT_EQ(fresh.Man.Color, clBlue);
    EXPECT_EQ(fresh.Woman.Color, clRed);
    EXPECT_EQ(fresh.PrognoseDate, 0.0);
    TDatalogging person;
    EXPECT_EQ(person.Color, clBlack);
    EXPECT_EQ(person.GoodDay, 0.0);
}

TEST_F(PrognoseTest, AgeDaysAndSign) {
    TDatalogging& p = Update(Date(1982, 12, 23), Date(1982, 12, 23));
    EXPECT_EQ(p.DaysLived, 0);
    EXPECT_EQ(p.AgeYears, 0);
    EXPECT_EQ(p.ZodiacSign, 10);
    TDatalogging& unborn = Update(Date(2000, 1, 1), Date(2000, 1, 11));
    EXPECT_EQ(unborn.DaysLived, -10);
    EXPECT_EQ(unborn.AgeYears, 0);
    EXPECT_EQ(unborn.ZodiacSign, 10);

    EXPECT_EQ(Update(Date(2026, 12, 7), Date(1983, 9, 29)).ZodiacSign, 7);
    EXPECT_EQ(Prognose.Man.DaysLived, 15775);
    EXPECT_EQ(Prognose.Man.AgeYears, 43);
}

TEST_F(PrognoseTest, ChartWindowSpansTwoMonths) {
    // (Its lengths across month and year ends and leap years: CoupleReport.SpansOfDays.)
    const auto w = ChartWindow(Date(2026, 12, 7));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->FirstDay, Date(2026, 12, 1));
    EXPECT_EQ(w->LastDay, Date(2027, 1, 31));
    EXPECT_EQ(w->Position(Date(2027, 1, 1)), 32);
    EXPECT_TRUE(ChartWindow(Date(9999, 11, 30)));
    EXPECT_FALSE(ChartWindow(Date(9999, 12, 1)));
    EXPECT_FALSE(ChartWindow(1e12));
    EXPECT_FALSE(ChartWindow(std::nan("")));
    EXPECT_TRUE(ChartWindow(Date(1, 1, 1)));
}

TEST_F(PrognoseTest, GoodAndBadDaySearch) {
    // Only the heart cycle, born 17 May 1980, prognosis 31 January 2001. Days 7571 and 7572 of
    // life (7 and 8 February) sit symmetrically about the cycle's peak, as do 26 and 27 February
    // about its trough: in exact arithmetic both are plateaus. In the 80-bit arithmetic the model
    // uses, the rounding of the products puts the strict peak on 7 February and the trough on
    // 26 February, the last day the search can record. (Double precision tips both ties the
    // other way: 8 February, and a trough too late to be recorded.)
    Use({CycleKind::Heart});
    const TDateTime birth = Date(1980, 5, 17);
    TDatalogging& p = Update(Date(2001, 1, 31), birth);
    const auto heart = [](TDateTime day, TDateTime born) {
        return static_cast<double>(formula::Sum(day, born, 1u << 3));
    };
    EXPECT_EQ(p.GoodDay, Date(2001, 2, 7));
    EXPECT_NEAR(static_cast<double>(p.GoodDayValue), heart(Date(2001, 2, 7), birth), 1e-12);
    EXPECT_EQ(p.BadDay, Date(2001, 2, 26));
    EXPECT_NEAR(static_cast<double>(p.BadDayValue), heart(Date(2001, 2, 26), birth), 1e-12);

    // One day later the trough falls on 27 February, which is never recorded: not found, and
    // the value holds the sum on the scan's first day, the day before the prognosis date.
    Update(Date(2001, 1, 31), birth + 1);
    EXPECT_EQ(p.GoodDay, Date(2001, 2, 8));
    EXPECT_EQ(p.BadDay, 0.0);
    EXPECT_NEAR(static_cast<double>(p.BadDayValue), heart(Date(2001, 1, 30), birth + 1), 1e-12);
}

TEST_F(PrognoseTest, SearchWithEveryCombinationOfCycles) {
    // Every set of cycles a user can leave switched on (and none, which a settings file can
    // hold), for people born early and late in a month and the year, across a year of prognoses;
    // the last one born after the window, inside it, or days before the prognosis date.
    int compared = 0;
    for (unsigned mask = 0; mask <= formula::AllCycles; ++mask) {
        Use(CyclesOf(mask));
        for (TDateTime birth :
             {Date(1950, 2, 3), Date(1982, 12, 23), Date(1999, 7, 30), Date(2026, 6, 20)}) {
            for (unsigned month = 1; month <= 12; ++month) {
                const TDateTime date = Date(2026, month, 1 + 2 * month);
                SCOPED_TRACE(testing::Message()
                             << "cycles " << mask << ", month " << month << ", born " << birth);
                TDatalogging& p = Update(date, birth);
                // A person alone, updated or only searched over the window of Prognose's date.
                TDatalogging alone, searched;
                alone.SetBirthDate(birth);
                alone.UpdatePerson(date);
                searched.SetBirthDate(birth);
                searched.FindGoodAndBadDays(date);
                const auto e = formula::FirstExtrema(date, birth, ChartWindow(date)->LastDay, mask);
                if (e.tooCloseToCall)
                    continue;
                ++compared;
                for (const TDatalogging* q : {&p, &Prognose.Woman, &alone, &searched}) {
                    EXPECT_EQ(q->GoodDay, e.good);
                    EXPECT_EQ(q->BadDay, e.bad);
                }
                EXPECT_NEAR(static_cast<double>(p.DailySum(date)),
                            static_cast<double>(formula::Sum(date, birth, mask)), 1e-12);
                EXPECT_NEAR(static_cast<double>(p.GoodDayValue), static_cast<double>(e.goodValue),
                            1e-9);
                EXPECT_NEAR(static_cast<double>(p.BadDayValue), static_cast<double>(e.badValue),
                            1e-9);
            }
        }
    }
    EXPECT_GT(compared, 16 * 4 * 12 * 9 / 10);
}

TEST_F(PrognoseTest, DecemberOf9999KeepsThePreviousResults) {
    TDatalogging& p = Update(Date(9999, 11, 1), Date(9990, 1, 1));
    const TDateTime good = p.GoodDay;
    const TDateTime bad = p.BadDay;
    ASSERT_NE(good, 0.0);
    Update(Date(9999, 12, 31), Date(9990, 1, 2));
    EXPECT_EQ(p.GoodDay, good);
    EXPECT_EQ(p.BadDay, bad);
    EXPECT_EQ(p.DaysLived, DaysBetween(Date(9999, 12, 31), Date(9990, 1, 2)));

    // Dates at and beyond the calendar's ends never crash.
    Update(Date(1, 1, 1), Date(9999, 12, 31));
    EXPECT_EQ(p.DaysLived, -DaysBetween(Date(1, 1, 1), Date(9999, 12, 31)));
    Update(Date(9999, 11, 30), Date(1, 1, 1));
    Update(1e15, -1e15);
    EXPECT_EQ(p.ZodiacSign, 0);
    Update(std::nan(""), std::nan(""));
}

// Days good or hard for both, against the means worked out from the formulas: each person's mean
// on the right side of zero and the sum of the two a strict peak or trough. Where a sum equals a
// neighbour's but for rounding (the heart alone peaks between two days), either answer passes.
TEST(CoupleDays, GoodAndHardForBothAsTheMeansSay) {
    struct Row {
        TDateTime man, woman;
        unsigned cycles;
        TDateTime first, last;
    };
    const Row rows[] = {
        {Date(1982, 12, 23), Date(1983, 9, 29), formula::AllCycles, Date(2009, 1, 1),
         Date(2010, 12, 31)},
        // She is born inside the span.
        {Date(1990, 5, 5), Date(2009, 3, 10), 0b0011, Date(2009, 1, 1), Date(2009, 12, 31)},
        {Date(2000, 1, 1), Date(2000, 1, 1), 0b1000, Date(2001, 1, 1), Date(2002, 12, 31)},
        {Date(1982, 12, 23), Date(1983, 9, 29), 0, Date(2009, 1, 1), Date(2009, 12, 31)},
    };
    const auto sign = [](long double v) { return v > 1e-9L ? 1 : v < -1e-9L ? -1 : 0; };
    for (const Row& row : rows) {
        std::map<TDateTime, bool> listed;
        for (const TCoupleDay& day :
             CoupleDays({row.man, row.woman}, CyclesOf(row.cycles), row.first, row.last))
            listed.emplace(day.Day, day.Good);
        const auto a = [&](TDateTime d) { return formula::Average(d, row.man, row.cycles); };
        const auto b = [&](TDateTime d) { return formula::Average(d, row.woman, row.cycles); };
        std::size_t expected = 0;
        for (TDateTime d = row.first; d <= row.last; d += 1) {
            const long double s = a(d) + b(d);
            const int before = sign(s - a(d - 1) - b(d - 1)), after = sign(s - a(d + 1) - b(d + 1));
            const int side = sign(a(d)) == sign(b(d)) ? sign(a(d)) : 0;
            const bool born = d - 1 >= row.man && d - 1 >= row.woman;
            if (row.cycles != 0 && born && (before == 0 || after == 0 || sign(a(d)) == 0)) {
                expected += listed.contains(d); // too close to call
                continue;
            }
            const bool turn = born && side != 0 && before == side && after == side;
            expected += turn;
            EXPECT_EQ(listed.contains(d), turn) << static_cast<long long>(d);
            if (turn) {
                EXPECT_EQ(listed[d], side > 0) << static_cast<long long>(d);
            }
        }
        EXPECT_EQ(listed.size(), expected);
        EXPECT_EQ(listed.empty(), row.cycles == 0);
    }
}
