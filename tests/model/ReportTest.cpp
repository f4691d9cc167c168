#include "model/Report.h"
#include "model/DisplaySettings.h"
#include "tests/CycleFormulas.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

class ReportTest : public ::testing::Test {};

int Sign(long double value) {
    // The heart cycle's exact zeros come out of the sine as tiny numbers of either sign.
    if (std::fabs(value) < 1e-9L)
        return 0;
    return value > 0 ? 1 : -1;
}

using namespace cycle_letters;

} // namespace

TEST_F(ReportTest, PercentAndTrendOnTheDay) {
    for (CycleKind kind : AllCycles) {
        // The day of birth: 0 and rising.
        EXPECT_EQ(CyclePercentTenths(0, kind), 0);
        EXPECT_EQ(CycleTrendOn(0, kind), CycleTrend::Rising);
        // The periods behind the exact zeros are the ones behind the model's factors.
        EXPECT_NEAR(static_cast<double>(2 * M_PI * 10000 / CyclePeriod(kind)),
                    static_cast<double>(CycleFactor(kind)), 1e-15);
    }
    // The heart cycle peaks at 9.5 days: days 9 and 10 are equal, 9 still rises towards the
    // peak; likewise 28 still falls towards the trough at 28.5.
    EXPECT_EQ(CycleTrendOn(9, H), CycleTrend::Rising);
    EXPECT_EQ(CycleTrendOn(10, H), CycleTrend::Falling);
    EXPECT_EQ(CycleTrendOn(28, H), CycleTrend::Falling);
    EXPECT_EQ(CycleTrendOn(29, H), CycleTrend::Rising);
    // Elsewhere the trend is what the next day says; the per cent is value / 25 × 100.
    for (CycleKind kind : AllCycles)
        for (std::int32_t day = 0; day < 1200; ++day) {
            const long double today = formula::Cycle(day, static_cast<int>(kind));
            const long double next = formula::Cycle(day + 1, static_cast<int>(kind));
            EXPECT_TRUE(formula::RoundsTo(today * 40, CyclePercentTenths(day, kind))) << day;
            if (std::fabs(next - today) > 1e-6L) {
                EXPECT_EQ(CycleTrendOn(day, kind),
                          next > today ? CycleTrend::Rising : CycleTrend::Falling)
                    << day;
            }
        }
    // The last 32-bit day has no next day in CycleValue; the trend still has an answer.
    const std::int32_t last = std::numeric_limits<std::int32_t>::max();
    for (CycleKind kind : AllCycles) {
        const CycleTrend trend = CycleTrendOn(last, kind);
        EXPECT_TRUE(trend == CycleTrend::Rising || trend == CycleTrend::Falling);
        EXPECT_LE(std::abs(CyclePercentTenths(last, kind)), 1000);
    }

    EXPECT_EQ(TenthsText(873), "87,3");
    EXPECT_EQ(TenthsText(-125), "-12,5");
    EXPECT_EQ(TenthsText(-5), "-0,5");
    EXPECT_EQ(TenthsText(0), "0,0");
    EXPECT_EQ(TenthsText(std::numeric_limits<std::int32_t>::min()), "-214748364,8");
}

TEST_F(ReportTest, CriticalDaysAreWhereTheCurveCrossesZero) {
    // The days where the sine is 0 or has the opposite sign to the day before; the day of
    // birth is critical, and nothing before it.
    for (CycleKind kind : AllCycles)
        for (std::int32_t day = -50; day < 5000; ++day) {
            const int before = Sign(formula::Cycle(day - 1, static_cast<int>(kind)));
            const int today = Sign(formula::Cycle(day, static_cast<int>(kind)));
            EXPECT_EQ(IsCriticalDay(day, kind),
                      day >= 0 && (today == 0 || (day > 0 && before != 0 && today != before)))
                << static_cast<int>(kind) << " day " << day;
        }

    // 5000 physical periods are 118442 days exactly: a zero on the day, none the day after.
    EXPECT_TRUE(IsCriticalDay(118442, P));
    EXPECT_FALSE(IsCriticalDay(118443, P));
    EXPECT_FALSE(IsCriticalDay(118441, P));

    // As dates, from the first day asked for; a birth inside the span is day 0 of every cycle,
    // and nothing before it is critical.
    const TDateTime birth = Date(2009, 1, 10);
    for (CycleKind kind : AllCycles) {
        const auto days = CriticalDays(birth, kind, Date(2009, 1, 1), Date(2009, 2, 28));
        ASSERT_FALSE(days.empty());
        EXPECT_EQ(days.front(), birth);
    }
    EXPECT_EQ(CriticalDays(birth, H, Date(2009, 1, 1), Date(2009, 2, 28)),
              (std::vector<TDateTime>{birth, birth + 19, birth + 38}));
    EXPECT_EQ(CriticalDays(birth, H, Date(2009, 1, 30), Date(2009, 2, 18)),
              (std::vector<TDateTime>{birth + 38}));
    EXPECT_TRUE(CriticalDays(birth, H, Date(2009, 1, 1), Date(2009, 1, 9)).empty());
    EXPECT_TRUE(CriticalDays(birth, H, Date(2009, 2, 1), Date(2009, 1, 1)).empty());

    // Across the whole calendar no zero is missed: k = 0 .. ⌊2N / period⌋.
    const TDateTime first = Date(1, 1, 1);
    const TDateTime last = Date(9999, 12, 31);
    const auto all = CriticalDays(first, P, first, last);
    const std::int64_t span = static_cast<std::int64_t>(last - first);
    EXPECT_EQ(static_cast<std::int64_t>(all.size()), span * 20000 / CyclePeriod(P) + 1);
    for (std::size_t i = 1; i < all.size(); ++i) {
        const double gap = all[i] - all[i - 1];
        ASSERT_TRUE(gap == 11 || gap == 12) << i;
    }
}

TEST_F(ReportTest, UnfavourableDaysAreCyclesCriticalTogether) {
    const TDateTime birth = Date(2009, 1, 1);
    // (Every such day of two months: DetailReportTest.FiguresOfTheMan.) Day 114 has emotional and
    // heart critical, day 95 physical and heart.
    // Only the cycles asked for count, each once.
    EXPECT_EQ(UnfavourableDays(birth, {H, E, E}, Date(2009, 3, 1), Date(2009, 4, 30)),
              (std::vector<TDaySpan>{{Date(2009, 4, 25), Date(2009, 4, 25), {E, H}}}));
    EXPECT_TRUE(UnfavourableDays(birth, {P}, Date(2009, 3, 1), Date(2009, 4, 30)).empty());
    EXPECT_TRUE(UnfavourableDays(birth, {}, Date(2009, 3, 1), Date(2009, 4, 30)).empty());

    // Emotional and intellectual on day 398, heart on 399: one span of two days, listed once.
    const std::vector<TDaySpan> pair{{birth + 398, birth + 399, {E, I, H}}};
    EXPECT_EQ(UnfavourableDays(birth, {P, E, I, H}, birth + 390, birth + 405), pair);
    // A neighbour just outside the span asked for counts; the day itself is not listed.
    EXPECT_EQ(UnfavourableDays(birth, {P, E, I, H}, birth + 390, birth + 398),
              (std::vector<TDaySpan>{{birth + 398, birth + 398, {E, I, H}}}));
    EXPECT_EQ(UnfavourableDays(birth, {P, E, I, H}, birth + 399, birth + 405),
              (std::vector<TDaySpan>{{birth + 399, birth + 399, {E, I, H}}}));
    // Within one day, no more: emotional on day 57 and physical on day 60 are three apart.
    EXPECT_TRUE(UnfavourableDays(birth, {P, E}, birth + 55, birth + 62).empty());

    // The day of birth is critical for every cycle, and nothing before it.
    EXPECT_EQ(UnfavourableDays(birth, {P, E, I, H}, birth - 30, birth + 10),
              (std::vector<TDaySpan>{{birth, birth, {P, E, I, H}}}));
}

TEST_F(ReportTest, CompatibilityOfTheCouple) {
    // 100 × (1 + cos(2π·d / period)) / 2, either way round.
    for (CycleKind kind : AllCycles)
        for (std::int32_t d = -400; d <= 400; ++d) {
            const long double period = formula::Periods[static_cast<std::size_t>(kind)];
            const long double exact =
                50 * (1 + std::cos(2 * std::numbers::pi_v<long double> * d / period));
            EXPECT_TRUE(formula::RoundsTo(exact * 10, CompatibilityTenths(d, kind))) << d;
        }
    // Half the heart period apart, also after many periods: exactly 0 %.
    EXPECT_NEAR(static_cast<double>(CompatibilityPercent(19, H)), 0.0, 1e-12);
    EXPECT_EQ(CompatibilityTenths(19 * 192001, H), 0);

    const TCompatibility same =
        CoupleCompatibility(Date(1990, 5, 5), Date(1990, 5, 5), TCycleSet::All());
    EXPECT_EQ(same.DaysApart, 0);
    EXPECT_EQ(same.PercentTenths, (std::array<std::int32_t, 4>{1000, 1000, 1000, 1000}));
    EXPECT_EQ(same.MeanTenths, 1000);

    // The default couple, 23 December 1982 and 29 September 1983: 280 days, in either order.
    for (const auto& couple : {std::pair{Date(1982, 12, 23), Date(1983, 9, 29)},
                               std::pair{Date(1983, 9, 29), Date(1982, 12, 23)}}) {
        const TCompatibility c = CoupleCompatibility(couple.first, couple.second, TCycleSet::All());
        EXPECT_EQ(c.DaysApart, 280);
        EXPECT_EQ(c.PercentTenths, (std::array<std::int32_t, 4>{713, 794, 32, 161}));
        // The mean of the exact values (71.33 + 79.42 + 3.18 + 16.14) / 4 = 42.51.
        EXPECT_EQ(c.MeanTenths, 425);
    }
    // The mean follows the cycles in use; the per-cycle figures do not.
    const TCompatibility two = CoupleCompatibility(Date(2000, 1, 1), Date(2000, 1, 20), {P, H});
    EXPECT_EQ(two.PercentTenths, (std::array<std::int32_t, 4>{661, 255, 52, 0}));
    EXPECT_EQ(two.MeanTenths, 330); // (66.07 + 0) / 2
    EXPECT_FALSE(CoupleCompatibility(Date(2000, 1, 1), Date(2000, 1, 20), {}).MeanTenths);
}

TEST_F(ReportTest, PersonFiguresAtTheCalendarsEndsAndOfNonsenseDates) {
    // (December 9999, which has no chart window: DetailReportTest.UnbornAndTheCalendarsEnd.)
    // November 9999: the window ends on the calendar's last day; a birth on it is critical.
    const TPersonFigures last =
        PersonFigures(Date(9999, 12, 31), Date(9999, 11, 15), TCycleSet::All());
    EXPECT_FALSE(last.Born);
    ASSERT_TRUE(last.Window);
    for (const TCycleFigures& cycle : last.Cycles)
        EXPECT_EQ(cycle.CriticalDays, (std::vector<TDateTime>{Date(9999, 12, 31)}));
    EXPECT_EQ(last.Unfavourable,
              (std::vector<TDaySpan>{{Date(9999, 12, 31), Date(9999, 12, 31), {P, E, I, H}}}));

    // Born on the prognosis date: born, as in January of year 1 from a birth on its first day.
    EXPECT_TRUE(PersonFigures(Date(2009, 1, 5), Date(2009, 1, 5), TCycleSet::All()).Born);
    const TPersonFigures first = PersonFigures(Date(1, 1, 1), Date(1, 1, 1), TCycleSet::All());
    EXPECT_TRUE(first.Born);
    EXPECT_EQ(first.Unfavourable.front().First, Date(1, 1, 1));

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [birth, date] : {std::pair{nan, Date(2009, 1, 1)}, std::pair{1e300, -1e300},
                                      std::pair{Date(2009, 1, 1), inf}, std::pair{-inf, nan}}) {
        const TPersonFigures figures = PersonFigures(birth, date, TCycleSet::All());
        EXPECT_FALSE(figures.Born);
        EXPECT_TRUE(figures.Unfavourable.empty());
        for (const TCycleFigures& cycle : figures.Cycles)
            EXPECT_TRUE(cycle.CriticalDays.empty());
        const TCompatibility c = CoupleCompatibility(birth, date, TCycleSet::All());
        for (std::int32_t tenths : c.PercentTenths) {
            EXPECT_GE(tenths, 0);
            EXPECT_LE(tenths, 1000);
        }
    }
    EXPECT_TRUE(CriticalDays(nan, P, Date(2009, 1, 1), Date(2009, 2, 1)).empty());
    EXPECT_TRUE(UnfavourableDays(Date(2009, 1, 1), {P, E}, inf, Date(2009, 2, 1)).empty());
}
