#include "model/Charts.h"
#include "model/DisplaySettings.h"
#include "tests/TestSupport.h"
#include "widgets/ImageCanvas.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Green = 0x00FF00;

class ChartsTest : public ::testing::Test {
protected:
    void SetUp() override {
        image = QImage(580, 80, QImage::Format_RGB32);
        image.fill(Qt::black);
        person.SetColor(Green);
    }

    void Grid(TDateTime prognose) {
        window = *ChartWindow(prognose);
        TImageCanvas canvas(image);
        DrawChartGrid(canvas, prognose, flags);
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
    TDatalogging person;
    TChartFlags flags;
    TChartWindow window;
};

} // namespace

TEST_F(ChartsTest, DecorationsSwitchedOff) {
    flags.DayLines = false;
    flags.DayNumbers = false;
    Grid(Date(2026, 7, 15));
    // White inside the frame, the two axes and the frame navy.
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 580; ++x) {
            const bool axis = x == 9 || y == 40 || x == 0 || y == 0 || x == 579 || y == 79;
            EXPECT_TRUE(Is(x, y, axis ? clNavy : clWhite)) << x << "," << y;
        }
}

TEST_F(ChartsTest, CurvesStartAtBirthInsideTheWindow) {
    // March and April 2026: day p at column 9 (p + 1), drawn by a 2-pixel pen one column left.
    const struct {
        TDateTime birth;
        bool average;
        int firstColumn; // -1: nothing visible
    } rows[] = {
        {Date(2026, 3, 10), false, 98}, {Date(2026, 4, 2), true, 9 * 34 - 1},
        {Date(2026, 4, 30), false, -1}, {Date(2026, 4, 30), true, -1},
        {Date(2027, 1, 1), false, -1},  {Date(9999, 12, 31), true, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.birth << (row.average ? " average" : ""));
        Grid(Date(2026, 3, 5));
        person.SetBirthDate(row.birth);
        TImageCanvas canvas(image);
        if (row.average)
            DrawAverageCurve(person, canvas, window, TCycleSet::All());
        else
            DrawCycleCurve(person, canvas, CycleKind::Physical, window);
        EXPECT_EQ(FirstColumnWith(Green), row.firstColumn);
        if (row.firstColumn == 98) {
            // At mid-height on the day of birth, rising: a day later above it.
            EXPECT_TRUE(Any(98, 99, 39, 40, Green));
            EXPECT_TRUE(Any(107, 108, 40 - 8, 40 - 3, Green));
        }
    }
}

TEST_F(ChartsTest, TheFlatAverageIsATwoPixelLineAlongMidHeight) {
    // No cycle in use: from the window's first day to its last, nothing before or beside it.
    person.SetBirthDate(Date(1980, 1, 1));
    Grid(Date(2026, 3, 5));
    {
        TImageCanvas canvas(image);
        DrawAverageCurve(person, canvas, window, {});
    }
    for (int x = 18; x < 9 * 62; ++x)
        EXPECT_TRUE(Is(x, 40, Green) && Is(x, 39, Green)) << x;
    EXPECT_FALSE(Any(0, 16, 0, 79, Green));
    EXPECT_FALSE(Any(0, 579, 0, 37, Green));
    EXPECT_FALSE(Any(0, 579, 42, 79, Green));
}

TEST_F(ChartsTest, NothingDrawnWithoutAChartWindow) {
    // December 9999 has no month after it: the grid of its date, and what the main window calls.
    ResetDisplaySettings();
    const QImage black = image.copy();
    Prognose.SetPrognoseDate(Date(9999, 12, 15));
    person.SetBirthDate(Date(9999, 1, 1));
    TImageCanvas canvas(image);
    DrawChartGrid(canvas, Date(9999, 12, 15), flags);
    DrawChartGrid(canvas);
    DrawCycleCurve(person, canvas, CycleKind::Physical);
    DrawAverageCurve(person, canvas);
    EXPECT_TRUE(image == black);
}
