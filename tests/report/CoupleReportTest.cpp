#include "report/CoupleReport.h"
#include "report/ReportFormat.h"
#include "tests/TestSupport.h"

#include "base/Vocabulary.h"
#include "model/Charts.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr CycleKind P = CycleKind::Physical;
constexpr CycleKind E = CycleKind::Emotional;
constexpr CycleKind I = CycleKind::Intellectual;
constexpr CycleKind H = CycleKind::Heart;
constexpr CycleTrend Up = CycleTrend::Rising;
constexpr CycleTrend Down = CycleTrend::Falling;

} // namespace

TEST(CoupleReport, ReadingsOfADay) {
    // Values by 100 × sin(2π·n / period) with the decimal periods, worked out apart from the
    // program, to one decimal; the trend by the next day's value. The average is the mean of
    // the cycles in use, as the average chart draws it.
    struct Row {
        TDateTime birth;
        TDateTime day;
        std::vector<CycleKind> inUse;
        std::array<std::int32_t, 4> tenths;
        std::array<CycleTrend, 4> trends;
        std::int32_t average;
        CycleTrend averageTrend;
    };
    const Row rows[] = {
        // Day 9510 of the default man, all cycles in use: the detail report's figures.
        {Date(1982, 12, 23),
         Date(2009, 1, 5),
         {P, E, I, H},
         {235, -319, -999, 997},
         {Down, Down, Up, Down},
         -22,
         Down},
        // Day 9230 of the default woman, all four, then only the physical and emotional.
        {Date(1983, 9, 29),
         Date(2009, 1, 5),
         {P, E, I, H},
         {-779, -954, 916, -614},
         {Down, Down, Down, Up},
         -358,
         Down},
        {Date(1983, 9, 29),
         Date(2009, 1, 5),
         {P, E},
         {-779, -954, 916, -614},
         {Down, Down, Down, Up},
         -867,
         Down},
        // Only the heart cycle: the average is the heart's value and trend.
        {Date(1980, 5, 17),
         Date(2001, 1, 31),
         {H},
         {924, 554, 482, 325},
         {Down, Up, Up, Up},
         325,
         Up},
        // Day 9, heart only: days 9 and 10 are equal around the peak at 9.5; day 9 still rises.
        {Date(2000, 1, 1),
         Date(2000, 1, 10),
         {H},
         {685, 914, 991, 997},
         {Down, Down, Down, Up},
         997,
         Up},
        {Date(1990, 6, 15),
         Date(2024, 3, 1),
         {E, I, H},
         {-968, 838, 984, 165},
         {Up, Up, Down, Up},
         662,
         Up},
        {Date(2024, 2, 20),
         Date(2024, 3, 1),
         {P, I},
         {470, 802, 948, 997},
         {Down, Down, Down, Down},
         709,
         Down},
        // The day of birth: every value 0, every curve rising.
        {Date(2024, 2, 20), Date(2024, 2, 20), {P, E, I, H}, {0, 0, 0, 0}, {Up, Up, Up, Up}, 0, Up},
    };
    for (const Row& row : rows) {
        const TDayReading reading = ReadingOn(row.birth, row.day, row.inUse);
        SCOPED_TRACE(IsoDate(row.day) + " born " + IsoDate(row.birth));
        EXPECT_TRUE(reading.Born);
        EXPECT_EQ(reading.Day, row.day);
        EXPECT_EQ(reading.PercentTenths, row.tenths);
        EXPECT_EQ(reading.Trends, row.trends);
        EXPECT_EQ(reading.AverageTenths, row.average);
        EXPECT_EQ(reading.AverageTrend, row.averageTrend);
    }

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
        // December 9999 has no month after it.
        {Date(9999, 12, 5), std::nullopt, Date(9999, 12, 1), 31},
        // N days from the date itself.
        {Date(2009, 1, 5), 7, Date(2009, 1, 5), 7},
        {Date(2009, 1, 5), 1, Date(2009, 1, 5), 1},
        {Date(2000, 1, 1), MaxReportDays, Date(2000, 1, 1), MaxReportDays},
        {Date(9999, 12, 31), 1, Date(9999, 12, 31), 1},
        {Date(9999, 12, 31), 2, std::nullopt, 0},
        {Date(2009, 1, 5), 0, std::nullopt, 0},
        {Date(2009, 1, 5), -3, std::nullopt, 0},
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
        {"2009-01-05", Date(2009, 1, 5)}, {"2008-02-29", Date(2008, 2, 29)},
        {"0001-01-01", Date(1, 1, 1)},    {"9999-12-31", Date(9999, 12, 31)},
        {"2009-02-29", std::nullopt},     {"0000-01-01", std::nullopt},
        {"2009-13-01", std::nullopt},     {"2009-00-10", std::nullopt},
        {"2009-1-05", std::nullopt},      {"2009-01-5", std::nullopt},
        {"09-01-05", std::nullopt},       {" 2009-01-05", std::nullopt},
        {"2009-01-05 ", std::nullopt},    {"2009/01/05", std::nullopt},
        {"05.01.2009", std::nullopt},     {"+009-01-05", std::nullopt},
        {"2009-01-0x", std::nullopt},     {"", std::nullopt},
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
    const std::array<std::pair<int, std::int64_t>, 10> rows{{
        {-20, 1},
        {0, 1},
        {18, 1},
        {22, 1},
        {23, 2},
        {27, 2},
        {301, 32},
        {549, 60},
        {567, 62},
        {579, 62},
    }};
    for (const auto& [x, position] : rows) {
        EXPECT_EQ(DayPositionAt(580, x, december), position) << x;
        EXPECT_EQ(DayPositionAt(580, x, january), std::min<std::int64_t>(position, 59)) << x;
        // The column of the day found is the nearest one.
        const int column = DayColumn(580, DayPositionAt(580, x, december));
        if (x >= 18 && x <= 558) {
            EXPECT_LE(std::abs(column - x), 4) << x;
        }
    }
}

TEST(CoupleReport, TheReportIsTheReadingsOfItsDays) {
    // Intellectual off; the woman born inside the days, so that they start before her birth.
    ResetDisplaySettings();
    DisplaySettings.SetFlag(DisplayFlag::UseIntellectual, false);
    InstallBuiltInNames();
    Prognose.SetPrognoseDate(Date(2009, 1, 5));
    Prognose.Man.SetBirthDate(Date(1982, 12, 23));
    Prognose.Woman.SetBirthDate(Date(2009, 1, 20));
    Prognose.UpdateAll();
    const TCoupleReport report = CoupleReport(Prognose, {Date(2009, 1, 1), 40});
    EXPECT_EQ(report.Date, Date(2009, 1, 5));
    EXPECT_EQ(report.Cycles, (std::vector<CycleKind>{P, E, H}));
    for (const TPersonReport& person : report.Persons) {
        const TDatalogging& model = person.Man ? Prognose.Man : Prognose.Woman;
        EXPECT_EQ(person.Birth, model.BirthDate);
        EXPECT_EQ(person.GoodDay, model.GoodDay);
        EXPECT_EQ(person.BadDay, model.BadDay);
        EXPECT_EQ(person.Element, ElementOf(static_cast<unsigned>(model.ZodiacSign)));
        ASSERT_EQ(person.Days.size(), 40u);
        for (std::size_t i = 0; i < person.Days.size(); ++i) {
            const TDayReading& day = person.Days[i];
            const TDayReading alone = ReadingOn(person.Birth, Date(2009, 1, 1) + i, {P, E, H});
            EXPECT_EQ(day.Day, alone.Day);
            EXPECT_EQ(day.Born, alone.Born);
            EXPECT_EQ(day.PercentTenths, alone.PercentTenths);
            EXPECT_EQ(day.Trends, alone.Trends);
            EXPECT_EQ(day.AverageTenths, alone.AverageTenths);
            EXPECT_EQ(day.AverageTrend, alone.AverageTrend) << i;
        }
    }
    EXPECT_FALSE(report.Persons[1].Days[18].Born);
    EXPECT_TRUE(report.Persons[1].Days[19].Born);
    ResetDisplaySettings();
}
