#include "model/Charts.h"
#include "settings/DisplaySettings.h"

#include <gtest/gtest.h>

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

protected:
    void DrawLine(int x1, int y1, int x2, int y2) override {
        lines.push_back({x1, y1, x2, y2, Pen});
    }
};

} // namespace

TEST(ChartsLogic, OnlyThePrognosisDayIsBoldAndWide) {
    DisplaySettings.RestoreDefaults();
    Prognose.SetPrognoseDate(*EncodeDate(2026, 4, 30));
    RecordingCanvas canvas;
    DrawChartGrid(canvas);
    ASSERT_EQ(canvas.texts.size(), 30u + 31u);
    for (std::size_t i = 0; i < canvas.texts.size(); ++i) {
        const auto& t = canvas.texts[i];
        EXPECT_EQ(t.bold, i == 29) << i;
        EXPECT_EQ(t.color, i < 30 ? clMaroon : clNavy);
    }
    // Numbers restart at 1 in May and are centred on their column.
    EXPECT_EQ(canvas.texts[30].text, "1");
    EXPECT_EQ(canvas.texts[30].x, 9 * 32 - 3);
    int wide = 0;
    for (const auto& line : canvas.lines)
        wide += line.pen.Width == 2;
    EXPECT_EQ(wide, 1);
}
