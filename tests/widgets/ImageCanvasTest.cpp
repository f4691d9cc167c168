#include "widgets/ImageCanvas.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The image as rows of letters: N navy, R red, M maroon, B blue, w white, "." black, ? other.
QStringList Letters(const QImage& image) {
    const std::pair<TColor, char> letters[] = {{clNavy, 'N'}, {clRed, 'R'},   {clMaroon, 'M'},
                                               {clBlue, 'B'}, {clWhite, 'w'}, {clBlack, '.'}};
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row(image.width(), u'?');
        for (int x = 0; x < image.width(); ++x)
            for (const auto& [color, letter] : letters)
                if (image.pixel(x, y) == ToQRgb(color))
                    row[x] = QLatin1Char(letter);
        rows << row;
    }
    return rows;
}

} // namespace

// Rectangle from x1, y1 up to but not including x2, y2; LineTo leaves out its end point; a dot
// pattern of three on, three off starting at the start point; pens two wide cover the column or
// row before the line too, and draw dots solid.
TEST(ImageCanvas, RectangleAndLinesFollowTheConventions) {
    QImage image(20, 16, QImage::Format_RGB32);
    image.fill(Qt::black);
    TImageCanvas canvas(image);
    canvas.Brush.Color = clWhite;
    canvas.Pen = {clNavy, 1, TPenStyle::Solid};
    canvas.Rectangle(2, 2, 8, 6);
    canvas.Pen.Color = clRed;
    canvas.MoveTo(10, 0);
    canvas.LineTo(10, 4);
    canvas.LineTo(14, 4);
    canvas.MoveTo(0, 9);
    canvas.LineTo(3, 6);
    canvas.Pen = {clMaroon, 1, TPenStyle::Dot};
    canvas.MoveTo(18, 13);
    canvas.LineTo(18, 0);
    canvas.Pen = {clBlue, 2, TPenStyle::Dot};
    canvas.MoveTo(15, 7);
    canvas.LineTo(15, 13);
    canvas.MoveTo(5, 14);
    canvas.LineTo(8, 11);
    // Far outside the image: nothing drawn, nothing crashes.
    canvas.MoveTo(-2000000000, -5);
    canvas.LineTo(2000000000, -5);
    canvas.Rectangle(-100, -100, -50, -50);
    EXPECT_EQ(Letters(image).join(u'\n').toStdString(), "..........R.........\n"
                                                        "..........R.......M.\n"
                                                        "..NNNNNN..R.........\n"
                                                        "..NwwwwN..R.........\n"
                                                        "..NwwwwN..RRRR......\n"
                                                        "..NNNNNN..........M.\n"
                                                        "..................M.\n"
                                                        "..R...........BB..M.\n"
                                                        ".R............BB....\n"
                                                        "R.............BB....\n"
                                                        ".......BB.....BB....\n"
                                                        "......BBB.....BB..M.\n"
                                                        ".....BBB......BB..M.\n"
                                                        "....BBB...........M.\n"
                                                        "....BB..............\n"
                                                        "....................");
}

TEST(ImageCanvas, TextIsOpaqueAndMeasured) {
    QImage image(60, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    TImageCanvas canvas(image);
    canvas.Font = {"Tahoma", 8, clNavy, false};
    canvas.Brush.Color = clWhite;
    const int w = canvas.TextWidth("30");
    const int h = canvas.TextHeight(" ");
    EXPECT_GT(w, 4);
    EXPECT_TRUE(h >= 10 && h <= 16) << h;
    canvas.TextOut(5, 5, "30");
    // The whole cell is painted: no black left inside it, some navy in it, nothing beside it.
    const QStringList rows = Letters(image);
    int navy = 0;
    for (int y = 5; y < 5 + h; ++y) {
        EXPECT_FALSE(rows[y].mid(5, w).contains(u'.')) << y;
        navy += rows[y].mid(5, w).count(u'N');
    }
    EXPECT_GT(navy, 5);
    EXPECT_EQ(rows[5][5 + w], u'.');
    EXPECT_EQ(rows[5][4], u'.');

    canvas.Font.Bold = true;
    EXPECT_GE(canvas.TextWidth("3030"), canvas.TextWidth("30"));
}
