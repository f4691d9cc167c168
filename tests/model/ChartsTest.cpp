#include "model/Charts.h"
#include "model/DisplaySettings.h"
#include "model/Shared.h"
#include "tests/CycleFormulas.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Records what the drawing asks of a canvas, to check what pixels cannot show portably
// (which number is bold).
class RecordingCanvas final : public TCanvas {
public:
    struct Text {
        std::string text;
        bool bold;
        TColor color;
        int x;
        int y;
    };
    struct Line {
        int x1, y1, x2, y2;
        TPen pen;
    };

    int Width() const override { return 580; }
    int Height() const override { return 80; }
    void Rectangle(int, int, int, int) override {}
    void TextOut(int x, int y, const std::string& text) override {
        texts.push_back({text, Font.Bold, Font.Color, x, y});
    }
    int TextWidth(const std::string& text) override { return 6 * static_cast<int>(text.size()); }
    int TextHeight(const std::string&) override { return 13; }

    std::vector<Text> texts;
    std::vector<Line> lines;

    std::size_t CountLines(int x1, int y1, int x2, int y2) const {
        return static_cast<std::size_t>(
            std::count_if(lines.begin(), lines.end(), [&](const Line& l) {
                return l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2;
            }));
    }

protected:
    void DrawLine(int x1, int y1, int x2, int y2) override {
        lines.push_back({x1, y1, x2, y2, Pen});
    }
};

} // namespace

TEST(ChartsLogic, EveryDayOfTheWindowInItsStyle) {
    // By position p in the window: odd positions solid with their number at the top, even ones
    // dotted with it at the bottom; the prognosis month maroon, its lines alternately downward
    // and upward, the next month navy and downward; the prognosis day alone bold and two wide.
    // Columns 9 (p + 1); numbers 6 pixels a digit wide and 13 high on this canvas.
    const struct {
        int year;
        unsigned month, day, q, q2;
    } windows[] = {{2026, 7, 15, 31, 31},
                   {2026, 2, 10, 28, 31},
                   {2026, 4, 30, 30, 31},
                   {2024, 2, 29, 29, 31},
                   {2026, 12, 1, 31, 31}};
    for (const auto& w : windows) {
        SCOPED_TRACE(testing::Message() << w.day << "." << w.month << "." << w.year);
        RecordingCanvas canvas;
        DrawChartGrid(canvas, Date(w.year, w.month, w.day),
                      {.Ordinate = false, .Abscissa = false, .DayLines = true, .DayNumbers = true});
        const int days = static_cast<int>(w.q + w.q2);
        ASSERT_EQ(canvas.texts.size(), static_cast<std::size_t>(days));
        ASSERT_EQ(canvas.lines.size(), static_cast<std::size_t>(days) + 4); // and the frame
        for (int p = 1; p <= days; ++p) {
            SCOPED_TRACE(p);
            const bool first = p <= static_cast<int>(w.q), odd = p % 2 == 1;
            const bool today = first && p == static_cast<int>(w.day);
            const int x = 9 * (p + 1);
            const std::string number = std::to_string(first ? p : p - static_cast<int>(w.q));
            const auto& line = canvas.lines[static_cast<std::size_t>(p - 1)];
            const auto& text = canvas.texts[static_cast<std::size_t>(p - 1)];
            EXPECT_EQ(line.pen.Color, first ? clMaroon : clNavy);
            EXPECT_EQ(line.pen.Width, today ? 2 : 1);
            EXPECT_EQ(line.pen.Style, odd ? TPenStyle::Solid : TPenStyle::Dot);
            const bool down = odd || !first;
            EXPECT_EQ(std::tie(line.x1, line.y1, line.x2, line.y2),
                      std::make_tuple(x, down ? 13 : 67, x, down ? 67 : 13));
            EXPECT_EQ(text.text, number);
            EXPECT_EQ(text.color, first ? clMaroon : clNavy);
            EXPECT_EQ(text.bold, today);
            EXPECT_EQ(text.x, x - 3 * static_cast<int>(number.size()));
            EXPECT_EQ(text.y, odd ? 1 : 80 - 13 - 2);
        }
    }
}

TEST(ChartsLogic, EachChartFlagDrawsItsOwnPartOnly) {
    // The flags set in DisplaySettings, the window of Prognose's date, as the main window draws:
    // April and May 2026, 61 days, the prognosis day the 30th. Lines run between th = 13 and
    // 80 - 13, upward on the prognosis month's even days.
    Prognose.SetPrognoseDate(Date(2026, 4, 30));
    for (unsigned flags = 0; flags < 16; ++flags) {
        const bool ordinate = flags & 1, abscissa = flags & 2, dayLines = flags & 4,
                   numbers = flags & 8;
        SCOPED_TRACE(flags);
        DisplaySettings.SetFlag(DisplayFlag::ShowOrdinate, ordinate);
        DisplaySettings.SetFlag(DisplayFlag::ShowAbscissa, abscissa);
        DisplaySettings.SetFlag(DisplayFlag::ShowDayLines, dayLines);
        DisplaySettings.SetFlag(DisplayFlag::ShowDayNumbers, numbers);
        RecordingCanvas canvas;
        DrawChartGrid(canvas);
        EXPECT_EQ(canvas.texts.size(), numbers ? 61u : 0u);
        std::size_t days = 0;
        for (int p = 1; p <= 61; ++p)
            days += canvas.CountLines(9 * (p + 1), 13, 9 * (p + 1), 67) +
                    canvas.CountLines(9 * (p + 1), 67, 9 * (p + 1), 13);
        EXPECT_EQ(days, dayLines ? 61u : 0u);
        EXPECT_EQ(canvas.CountLines(9, 0, 9, 80), ordinate ? 1u : 0u);
        EXPECT_EQ(canvas.CountLines(0, 40, 580, 40), abscissa ? 1u : 0u);
        // The frame, whatever the flags.
        EXPECT_EQ(canvas.CountLines(0, 0, 0, 80) + canvas.CountLines(0, 80, 580, 80) +
                      canvas.CountLines(580, 80, 580, 0) + canvas.CountLines(580, 0, 0, 0),
                  4u);
        EXPECT_EQ(canvas.lines.size(), 4u + ordinate + abscissa + days);
    }
    ResetDisplaySettings();
}

TEST(ChartsLogic, ValuesRoundToTheNearestRowTiesToEven) {
    const long double below = std::nextafter(2.5L, 0.0L);
    const long double above = std::nextafter(0.5L, 1.0L);
    const std::pair<long double, int> rows[] = {
        {0.5L, 0},  {1.5L, 2},  {2.5L, 2},    {-0.5L, 0}, {-1.5L, -2}, {24.5L, 24}, {-24.5L, -24},
        {below, 2}, {above, 1}, {-above, -1}, {25, 25},   {-25, -25},  {0.0L, 0},   {-7.25L, -7}};
    for (const auto& [value, row] : rows)
        EXPECT_EQ(RoundHalfEven(value), row) << static_cast<double>(value);
}

TEST(ChartsLogic, CurvesFollowTheCyclesInUse) {
    // One point per day of March and April 2026, the window of Prognose's date, at 40 - the
    // rounded value. Each cycle's own curve, then the average of every combination of cycles in
    // use in DisplaySettings.
    const TColor green = 0x00FF00;
    TDatalogging person;
    person.SetColor(green);
    person.SetBirthDate(Date(1983, 9, 29));
    Prognose.SetPrognoseDate(Date(2026, 3, 5));
    const auto expectCurve = [&](const RecordingCanvas& canvas, auto value) {
        ASSERT_EQ(canvas.lines.size(), 61u); // one line per day, the first of zero length
        for (int i = 0; i < 61; ++i) {
            SCOPED_TRACE(i);
            const auto& line = canvas.lines[static_cast<std::size_t>(i)];
            EXPECT_EQ(line.pen.Color, green);
            EXPECT_EQ(line.pen.Width, 2);
            EXPECT_EQ(line.x2, 9 * (i + 2));
            EXPECT_TRUE(formula::RoundsTo(value(Date(2026, 3, 1) + i), 40 - line.y2));
        }
    };
    for (CycleKind kind : AllCycles) {
        SCOPED_TRACE(static_cast<int>(kind));
        RecordingCanvas canvas;
        DrawCycleCurve(person, canvas, kind);
        expectCurve(canvas, [&](TDateTime d) {
            return formula::Sum(d, person.BirthDate, 1u << static_cast<int>(kind));
        });
    }
    for (unsigned cycles = 0; cycles <= formula::AllCycles; ++cycles) {
        SCOPED_TRACE(testing::Message() << "cycles " << cycles);
        for (CycleKind kind : AllCycles)
            DisplaySettings.SetFlag(CycleFlag(kind), CyclesOf(cycles).Contains(kind));
        RecordingCanvas canvas;
        DrawAverageCurve(person, canvas);
        expectCurve(canvas,
                    [&](TDateTime d) { return formula::Average(d, person.BirthDate, cycles); });
    }
    ResetDisplaySettings();
}
