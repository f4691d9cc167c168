#include "report/CoupleReport.h"
#include "report/ReportFormat.h"
#include "tests/CycleFormulas.h"
#include "tests/TestSupport.h"

#include "base/Vocabulary.h"
#include "model/Charts.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace cycle_letters;
constexpr CycleTrend Up = CycleTrend::Rising;

} // namespace

TEST(CoupleReport, ReadingsOfADay) {
    // Every day of life up to 400, for every set of cycles in use: values by
    // 100 × sin(2π·n / period), the trend by the next day's value, the average the mean of the
    // cycles in use as the average chart draws it. Days whose next value is equal but for
    // rounding are left to the row after.
    const TDateTime birth = Date(1983, 9, 29);
    const auto rising = [](long double today, long double next) {
        return next > today ? CycleTrend::Rising : CycleTrend::Falling;
    };
    for (unsigned mask = 1; mask <= formula::AllCycles; ++mask) {
        const TCycleSet inUse = CyclesOf(mask);
        for (std::int32_t n = 0; n <= 400; ++n) {
            SCOPED_TRACE(testing::Message() << "cycles " << mask << ", day " << n);
            const TDayReading reading = ReadingOn(birth, birth + n, inUse);
            EXPECT_TRUE(reading.Born);
            EXPECT_EQ(reading.Day, birth + n);
            for (int c = 0; c < 4; ++c) {
                const long double today = formula::Cycle(n, c), next = formula::Cycle(n + 1, c);
                EXPECT_TRUE(formula::RoundsTo(today * 40, reading.PercentTenths[c]));
                if (std::fabs(next - today) > 1e-6L) {
                    EXPECT_EQ(reading.Trends[c], rising(today, next)) << c;
                }
            }
            const long double today = formula::Average(birth + n, birth, mask);
            const long double next = formula::Average(birth + n + 1, birth, mask);
            ASSERT_TRUE(reading.AverageTenths);
            EXPECT_TRUE(formula::RoundsTo(today * 40, *reading.AverageTenths));
            if (std::fabs(next - today) > 1e-6L) {
                EXPECT_EQ(reading.AverageTrend, rising(today, next));
            }
        }
    }
    // Heart only, day 9: days 9 and 10 are equal around the peak at 9.5; day 9 still rises.
    const TDayReading peak = ReadingOn(Date(2000, 1, 1), Date(2000, 1, 10), {H});
    EXPECT_EQ(peak.Trends[3], Up);
    EXPECT_EQ(peak.AverageTrend, Up);

    // Before birth nothing has a value; with no cycle in use the average has none.
    const TDayReading before = ReadingOn(Date(2024, 2, 20), Date(2024, 2, 19), {P, E, I, H});
    EXPECT_FALSE(before.Born);
    EXPECT_FALSE(before.AverageTenths);
    EXPECT_TRUE(ReadingOn(Date(2024, 2, 20), Date(2024, 3, 1), {}).Born);
    EXPECT_FALSE(ReadingOn(Date(2024, 2, 20), Date(2024, 3, 1), {}).AverageTenths);
    // A date of birth outside years 1..9999.
    EXPECT_FALSE(ReadingOn(Date(1, 1, 1) - 1, Date(2024, 3, 1), {P}).Born);

    EXPECT_EQ(ReadingText(ReadingOn(Date(1982, 12, 23), Date(2009, 1, 5), {P, H})),
              "физический +23,5\u00A0% (убывает), эмоциональный -31,9\u00A0% (убывает), "
              "интеллектуальный -99,9\u00A0% (растёт), сердечный +99,7\u00A0% (убывает), "
              "среднее +61,6\u00A0% (убывает)");
    EXPECT_EQ(ReadingText(before), "");
}

TEST(CoupleReport, SpansOfDays) {
    struct Row {
        TDateTime date;
        std::optional<std::int32_t> days;
        std::optional<TDateTime> first;
        std::int32_t count;
    };
    const Row rows[] = {
        // The charted months: January and February, leap or not; December and January.
        {Date(2009, 1, 5), std::nullopt, Date(2009, 1, 1), 59},
        {Date(2024, 1, 31), std::nullopt, Date(2024, 1, 1), 60},
        {Date(2024, 12, 10), std::nullopt, Date(2024, 12, 1), 62},
        {Date(9999, 11, 5), std::nullopt, Date(9999, 11, 1), 61},
        // December 9999 has no month after it: no charted months.
        {Date(9999, 12, 5), std::nullopt, std::nullopt, 0},
        // N days from the date itself.
        {Date(2009, 1, 5), 7, Date(2009, 1, 5), 7},
        {Date(2000, 1, 1), MaxReportDays, Date(2000, 1, 1), MaxReportDays},
        {Date(9999, 12, 31), 1, Date(9999, 12, 31), 1},
        {Date(9999, 12, 31), 2, std::nullopt, 0},
        {Date(2009, 1, 5), 0, std::nullopt, 0},
        {Date(2009, 1, 5), MaxReportDays + 1, std::nullopt, 0},
        {Date(1, 1, 1) - 1, std::nullopt, std::nullopt, 0},
    };
    for (const Row& row : rows) {
        const auto span = ReportSpan(row.date, row.days);
        SCOPED_TRACE(IsoDate(row.date) + " days " + std::to_string(row.days.value_or(-1)));
        ASSERT_EQ(span.has_value(), row.first.has_value());
        if (span) {
            EXPECT_EQ(span->First, *row.first);
            EXPECT_EQ(span->Count, row.count);
        }
    }
}

TEST(CoupleReport, IsoDates) {
    const std::pair<const char*, std::optional<TDateTime>> rows[] = {
        {"2009-01-05", Date(2009, 1, 5)},
        {"2008-02-29", Date(2008, 2, 29)},
        {"0001-01-01", Date(1, 1, 1)},
        {"9999-12-31", Date(9999, 12, 31)},
        {"2009-02-29", std::nullopt},
        {"0000-01-01", std::nullopt},
        {"2009-13-01", std::nullopt},
        {"2009-1-05", std::nullopt},
        {" 2009-01-05", std::nullopt},
        {"2009/01/05", std::nullopt},
        {"+009-01-05", std::nullopt},
        {"2009-01-0x", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, date] : rows) {
        EXPECT_EQ(ParseIsoDate(text), date) << text;
        if (date) {
            EXPECT_EQ(IsoDate(*date), text);
        }
    }
    EXPECT_EQ(IsoDate(0.75 + Date(2009, 1, 5)), "2009-01-05");
    EXPECT_EQ(IsoDate(Date(1, 1, 1) - 1), "");
}

TEST(CoupleReport, DayUnderAColumn) {
    // Columns lie every 580 div 62 = 9 pixels from x = 18 for the first day; a pointer between
    // two columns reads the nearer day, and beyond the ends the first or last day.
    const TChartWindow january = *ChartWindow(Date(2009, 1, 5));   // 59 days
    const TChartWindow december = *ChartWindow(Date(2024, 12, 5)); // 62 days
    // Left of the first column, either side of the middle between two, and right of the last.
    const std::array<std::pair<int, std::int64_t>, 5> rows{
        {{-20, 1}, {22, 1}, {23, 2}, {301, 32}, {579, 62}}};
    for (const auto& [x, position] : rows) {
        EXPECT_EQ(DayPositionAt(580, x, december), position) << x;
        EXPECT_EQ(DayPositionAt(580, x, january), std::min<std::int64_t>(position, 59)) << x;
    }
    // Between the first and the last column, the column of the day found is the nearest one.
    for (int x = 18; x <= 567; ++x)
        EXPECT_LE(std::abs(DayColumn(580, DayPositionAt(580, x, december)) - x), 4) << x;
}

TEST(CoupleReport, TheReportIsTheReadingsOfItsDays) {
    // Intellectual off; the woman born inside the days, so that they start before her birth.
    InstallBuiltInNames();
    const TCycleSet cycles{P, E, H};
    TBiorhythmPrognose prognose;
    prognose.SetPrognoseDate(Date(2009, 1, 5));
    prognose.Man.SetBirthDate(Date(1982, 12, 23));
    prognose.Woman.SetBirthDate(Date(2009, 1, 20));
    for (TDatalogging* person : {&prognose.Man, &prognose.Woman})
        person->UpdatePerson(prognose.PrognoseDate, ChartWindow(prognose.PrognoseDate), cycles);
    const TCoupleReport report =
        CoupleReport(CoupleOf(prognose), prognose.PrognoseDate, {Date(2009, 1, 1), 40}, cycles);
    EXPECT_EQ(report.Date, Date(2009, 1, 5));
    EXPECT_EQ(report.Cycles, (std::vector<CycleKind>{P, E, H}));
    for (const TPersonReport& person : report.Persons) {
        const TDatalogging& model = person.Man ? prognose.Man : prognose.Woman;
        EXPECT_EQ(person.Birth, model.BirthDate);
        EXPECT_EQ(person.GoodDay, model.GoodDay);
        EXPECT_EQ(person.BadDay, model.BadDay);
        EXPECT_EQ(person.Element, ElementOf(static_cast<unsigned>(model.ZodiacSign)));
        ASSERT_EQ(person.Days.size(), 40u);
        for (std::size_t i = 0; i < person.Days.size(); ++i) {
            const TDayReading& day = person.Days[i];
            const TDayReading alone = ReadingOn(person.Birth, Date(2009, 1, 1) + i, {P, E, H});
            const auto fields = [](const TDayReading& r) {
                return std::tie(r.Day, r.Born, r.PercentTenths, r.Trends, r.AverageTenths,
                                r.AverageTrend);
            };
            EXPECT_EQ(fields(day), fields(alone)) << i;
        }
    }
    EXPECT_FALSE(report.Persons[1].Days[18].Born);
    EXPECT_TRUE(report.Persons[1].Days[19].Born);
}
