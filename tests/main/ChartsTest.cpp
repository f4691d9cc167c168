#include "model/Charts.h"
#include "main/ImageCanvas.h"
#include "settings/DisplaySettings.h"
#include "tests/CycleFormulas.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Green = 0x00FF00;

class ChartsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDisplaySettings();
        image = QImage(580, 80, QImage::Format_RGB32);
        image.fill(Qt::black);
        TImageCanvas probe(image);
        probe.Font = {"Tahoma", 8, clMaroon, false};
        th = probe.TextHeight(" ");
        person = TDatalogging{};
        person.SetColor(Green);
    }
    void TearDown() override { DisplaySettings.RestoreDefaults(); }

    void Grid(TDateTime prognose) {
        Prognose.SetPrognoseDate(prognose);
        TImageCanvas canvas(image);
        DrawChartGrid(canvas);
    }
    bool Is(int x, int y, TColor color) const { return image.pixel(x, y) == ToQRgb(color); }
    // Whether a colour appears in a block of columns and rows (both ends included).
    bool Any(int x1, int x2, int y1, int y2, TColor color) const {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                if (Is(x, y, color))
                    return true;
        return false;
    }
    int FirstColumnWith(TColor color) const {
        for (int x = 0; x < image.width(); ++x)
            if (Any(x, x, 0, image.height() - 1, color))
                return x;
        return -1;
    }

    QImage image;
    int th = 0;
    TDatalogging person;
};

} // namespace

TEST_F(ChartsTest, GridOfA31DayMonth) {
    Grid(Date(2026, 7, 15));
    const int h = 80;
    // Frame, ordinate at column 9, abscissa at row 40.
    EXPECT_TRUE(Is(0, 0, clNavy));
    EXPECT_TRUE(Is(579, 79, clNavy));
    EXPECT_TRUE(Is(300, 0, clNavy));
    EXPECT_TRUE(Is(9, 20, clNavy));
    EXPECT_TRUE(Is(5, 40, clNavy));
    EXPECT_TRUE(Is(5, 20, clWhite));

    // The numbers' opaque cells cover the ends of the lines (rows up to th at the top, from
    // h - th - 2 at the bottom), so lines are checked between them.
    // 1 July: solid maroon from th down to h - th - 1, its number at the top.
    for (int y = th + 1; y < h - th; ++y)
        EXPECT_TRUE(Is(18, y, clMaroon)) << y;
    EXPECT_TRUE(Any(14, 22, 1, th, clMaroon));
    // 2 July: dotted upward from h - th, three on, three off; number at the bottom.
    EXPECT_TRUE(Is(27, h - th - 3, clWhite));
    EXPECT_TRUE(Is(27, h - th - 5, clWhite));
    EXPECT_TRUE(Is(27, h - th - 6, clMaroon));
    EXPECT_TRUE(Is(27, h - th - 8, clMaroon));
    EXPECT_TRUE(Is(27, h - th - 9, clWhite));
    EXPECT_TRUE(Any(22, 32, h - th - 2, h - 3, clMaroon));
    EXPECT_FALSE(Any(26, 28, 1, th - 1, clMaroon));
    // July fills columns 18..288, August 297..567.
    EXPECT_TRUE(Is(288, th + 1, clMaroon));
    EXPECT_TRUE(Is(567, th, clNavy));
    EXPECT_TRUE(Is(576, 30, clWhite));

    // The 15th is the prognosis day: two pixels wide, solid although 15 is odd anyway; the 16th
    // stays one pixel and dotted.
    const int x15 = 9 * 16;
    for (int y = th + 1; y < h - th; ++y) {
        EXPECT_TRUE(Is(x15 - 1, y, clMaroon)) << y;
        EXPECT_TRUE(Is(x15, y, clMaroon)) << y;
    }
    EXPECT_TRUE(Is(x15 + 1, 30, clWhite));

    // 1 August has position 32: navy, dotted downward from th, number at the bottom.
    EXPECT_TRUE(Is(297, th, clNavy));
    EXPECT_TRUE(Is(297, th + 2, clNavy));
    EXPECT_TRUE(Is(297, th + 3, clWhite));
    EXPECT_FALSE(Any(294, 300, 1, th - 1, clNavy));
    EXPECT_TRUE(Any(292, 302, h - th - 2, h - 3, clNavy));
    // 2 August, position 33: solid, number at the top.
    EXPECT_TRUE(Is(306, th + 3, clNavy));
    EXPECT_TRUE(Any(302, 310, 1, th, clNavy));
}

TEST_F(ChartsTest, GridAfterFebruaryAndAnEvenPrognosisDay) {
    Grid(Date(2026, 2, 10));
    // 1 March has position 29: solid and its number at the top.
    const int x = 9 * 30;
    for (int y = th + 1; y < 80 - th; ++y)
        EXPECT_TRUE(Is(x, y, clNavy)) << y;
    EXPECT_TRUE(Any(x - 4, x + 4, 1, th, clNavy));
    // The second month's lines stay one pixel wide.
    EXPECT_TRUE(Is(x - 1, 30, clWhite));

    // 30 April is even, yet its line is two pixels wide and solid.
    Grid(Date(2026, 4, 30));
    const int x30 = 9 * 31;
    for (int y = th + 1; y < 80 - th - 2; ++y) {
        EXPECT_TRUE(Is(x30 - 1, y, clMaroon)) << y;
        EXPECT_TRUE(Is(x30, y, clMaroon)) << y;
    }
}

TEST_F(ChartsTest, DecorationsSwitchedOff) {
    DisplaySettings.SetFlag(DisplayFlag::ShowDayLines, false);
    DisplaySettings.SetFlag(DisplayFlag::ShowDayNumbers, false);
    Grid(Date(2026, 7, 15));
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 580; ++x) {
            const bool axis = x == 9 || y == 40 || x == 0 || y == 0 || x == 579 || y == 79;
            EXPECT_TRUE(Is(x, y, axis ? clNavy : clWhite)) << x << "," << y;
        }
    }
    DisplaySettings.SetFlag(DisplayFlag::ShowOrdinate, false);
    DisplaySettings.SetFlag(DisplayFlag::ShowAbscissa, false);
    Grid(Date(2026, 7, 15));
    EXPECT_TRUE(Is(9, 20, clWhite));
    EXPECT_TRUE(Is(5, 40, clWhite));
    EXPECT_TRUE(Is(0, 40, clNavy));
}

TEST_F(ChartsTest, CurvesStartAtBirthInsideTheWindow) {
    Grid(Date(2026, 3, 5));
    person.SetBirthDate(Date(2026, 3, 10));
    {
        TImageCanvas canvas(image);
        DrawCycleCurve(person, canvas, CycleFactor(CycleKind::Physical));
    }
    EXPECT_EQ(FirstColumnWith(Green), 98); // a 2-pixel pen centred on column 99
    EXPECT_TRUE(Any(98, 99, 39, 40, Green));
    // The curve rises after birth: a day later it is above mid-height.
    EXPECT_TRUE(Any(107, 108, 40 - 8, 40 - 3, Green));

    // Born in the second month: the curve begins at that day's column.
    Grid(Date(2026, 3, 5));
    person.SetBirthDate(Date(2026, 4, 2));
    {
        TImageCanvas canvas(image);
        DrawAverageCurve(person, canvas);
    }
    EXPECT_EQ(FirstColumnWith(Green), 9 * 34 - 1);

    // Born on the window's last day or later: nothing visible.
    for (TDateTime birth : {Date(2026, 4, 30), Date(2027, 1, 1), Date(9999, 12, 31)}) {
        Grid(Date(2026, 3, 5));
        person.SetBirthDate(birth);
        TImageCanvas canvas(image);
        DrawCycleCurve(person, canvas, CycleFactor(CycleKind::Heart));
        DrawAverageCurve(person, canvas);
        EXPECT_EQ(FirstColumnWith(Green), -1);
    }
}

TEST_F(ChartsTest, CurveValuesAndTheFlatAverage) {
    Grid(Date(2026, 3, 5));
    person.SetBirthDate(Date(1980, 1, 1));
    {
        TImageCanvas canvas(image);
        DrawCycleCurve(person, canvas, CycleFactor(CycleKind::Emotional));
    }
    // Every day's point is at 40 - round(value), within 15..65.
    auto w = ChartWindow(Prognose.PrognoseDate);
    for (TDateTime d = w->FirstDay; d <= w->LastDay; d += 1) {
        const int x = DayColumn(580, w->Position(d));
        const int y = 40 - static_cast<int>(std::nearbyint(formula::Sum(d, person.BirthDate, 2)));
        EXPECT_TRUE(Any(x - 1, x, y - 1, y, Green)) << "day " << w->Position(d);
    }
    EXPECT_FALSE(Any(0, 16, 0, 79, Green));

    // No cycle in use: a straight line along mid-height to the last day.
    for (CycleKind kind : AllCycles)
        DisplaySettings.SetFlag(CycleFlag(kind), false);
    Grid(Date(2026, 3, 5));
    {
        TImageCanvas canvas(image);
        DrawAverageCurve(person, canvas);
    }
    for (int x = 18; x < 9 * 62; ++x)
        EXPECT_TRUE(Is(x, 40, Green) && Is(x, 39, Green)) << x;
    EXPECT_FALSE(Any(0, 579, 0, 37, Green));
    EXPECT_FALSE(Any(0, 579, 42, 79, Green));
}

TEST_F(ChartsTest, NothingDrawnWithoutAChartWindow) {
    image.fill(Qt::black);
    Prognose.SetPrognoseDate(Date(9999, 12, 15));
    person.SetBirthDate(Date(9999, 1, 1));
    TImageCanvas canvas(image);
    DrawChartGrid(canvas);
    DrawCycleCurve(person, canvas, CycleFactor(CycleKind::Physical));
    DrawAverageCurve(person, canvas);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 580; ++x)
            ASSERT_EQ(image.pixel(x, y), qRgb(0, 0, 0));
}
