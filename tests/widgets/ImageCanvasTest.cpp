#include "widgets/ImageCanvas.h"

#include <gtest/gtest.h>

namespace {

QImage White(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool Is(const QImage& image, int x, int y, TColor color) {
    return image.pixel(x, y) == ToQRgb(color);
}

} // namespace

TEST(ImageCanvas, RectangleAndLinesFollowTheConventions) {
    QImage image = White(20, 10);
    TImageCanvas canvas(image);
    canvas.Brush.Color = clWhite;
    canvas.Pen = {clNavy, 1, TPenStyle::Solid};
    canvas.Rectangle(2, 2, 8, 6); // columns 2..7, rows 2..5
    EXPECT_TRUE(Is(image, 2, 2, clNavy));
    EXPECT_TRUE(Is(image, 7, 5, clNavy));
    EXPECT_TRUE(Is(image, 4, 3, clWhite));
    EXPECT_TRUE(Is(image, 8, 5, clWhite));
    EXPECT_TRUE(Is(image, 7, 6, clWhite));

    // LineTo leaves out its end point, which becomes the current point.
    canvas.Pen.Color = clRed;
    canvas.MoveTo(10, 0);
    canvas.LineTo(10, 4);
    canvas.LineTo(14, 4);
    EXPECT_TRUE(Is(image, 10, 0, clRed));
    EXPECT_TRUE(Is(image, 10, 3, clRed));
    EXPECT_TRUE(Is(image, 10, 4, clRed)); // start of the second line
    EXPECT_TRUE(Is(image, 13, 4, clRed));
    EXPECT_TRUE(Is(image, 14, 4, clWhite));

    // A diagonal one-pixel line, end left out too.
    canvas.MoveTo(0, 9);
    canvas.LineTo(3, 6);
    EXPECT_TRUE(Is(image, 0, 9, clRed));
    EXPECT_TRUE(Is(image, 2, 7, clRed));
    EXPECT_TRUE(Is(image, 3, 6, clWhite));

    // Far outside the image: nothing drawn, nothing crashes.
    canvas.MoveTo(-2000000000, -5);
    canvas.LineTo(2000000000, -5);
    canvas.Rectangle(-100, -100, -50, -50);
}

TEST(ImageCanvas, DottedAndWidePens) {
    QImage image = White(20, 30);
    TImageCanvas canvas(image);
    canvas.Pen = {clMaroon, 1, TPenStyle::Dot};
    canvas.MoveTo(1, 20); // upward: the pattern starts at the start point
    canvas.LineTo(1, 0);
    for (int y = 20, step = 0; y > 0; --y, ++step)
        EXPECT_EQ(Is(image, 1, y, clMaroon), step % 6 < 3) << y;

    // Two pixels wide: columns x-1 and x, dotted drawn solid.
    canvas.Pen = {clBlue, 2, TPenStyle::Dot};
    canvas.MoveTo(10, 2);
    canvas.LineTo(10, 12);
    for (int y = 2; y < 12; ++y) {
        EXPECT_TRUE(Is(image, 9, y, clBlue));
        EXPECT_TRUE(Is(image, 10, y, clBlue));
    }
    EXPECT_TRUE(Is(image, 11, 5, clWhite));
    EXPECT_TRUE(Is(image, 8, 5, clWhite));
    EXPECT_TRUE(Is(image, 10, 12, clWhite));

    // A wide diagonal passes through both of its ends' neighbourhoods.
    canvas.MoveTo(2, 25);
    canvas.LineTo(12, 20);
    EXPECT_TRUE(Is(image, 7, 22, clBlue) || Is(image, 7, 23, clBlue));
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
    EXPECT_GE(h, 10);
    EXPECT_LE(h, 16);
    canvas.TextOut(5, 5, "30");
    // The whole cell is painted: no black left inside it, some navy in it.
    int navy = 0;
    for (int y = 5; y < 5 + h; ++y) {
        for (int x = 5; x < 5 + w; ++x) {
            EXPECT_NE(image.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
            navy += Is(image, x, y, clNavy);
        }
    }
    EXPECT_GT(navy, 5);
    EXPECT_EQ(image.pixel(5 + w, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(4, 5), qRgb(0, 0, 0));

    canvas.Font.Bold = true;
    EXPECT_GE(canvas.TextWidth("3030"), canvas.TextWidth("30"));
}
