#pragma once

#include "model/Canvas.h"

#include <QFont>
#include <QImage>

// The chart canvas over a QImage, honouring the canvas conventions pixel for pixel.
// Lines are rasterised here rather than by QPainter: QPainter always draws a line's end point
// (or, with a flat cap, drops the wrong end), a dotted pattern must start at the line's start,
// and a refresh draws some thousand short lines, which QPainter makes ten times slower.
// Texts are rendered once per font, colours and text, then copied.
class TImageCanvas final : public TCanvas {
public:
    // The image is converted to 32 bits per pixel when it has another format.
    explicit TImageCanvas(QImage& image);

    int Width() const override { return width_; }
    int Height() const override { return height_; }

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const std::string& utf8) override;
    int TextWidth(const std::string& utf8) override;
    int TextHeight(const std::string& utf8) override;

    // The font a canvas font stands for: pixel size for 96 dots per inch, no antialiasing.
    static QFont ToQFont(const TFont& font);

protected:
    void DrawLine(int x1, int y1, int x2, int y2) override;

private:
    void FillRect(int x1, int y1, int x2, int y2, QRgb rgb); // x2, y2 excluded
    void Plot(int x, int y, QRgb rgb) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            Line(y)[x] = rgb;
    }
    // Row y of the image; the image is detached once, when the canvas is made, not per pixel.
    QRgb* Line(int y) {
        return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * bytesPerLine_);
    }

    QImage& image_;
    uchar* bits_;
    qsizetype bytesPerLine_;
    // The image's size, which drawing never changes, read once rather than at every pixel.
    int width_;
    int height_;
};

QRgb ToQRgb(TColor color);
