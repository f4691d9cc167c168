#pragma once

#include "model/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <optional>

// The chart canvas over a QImage, honouring the canvas conventions pixel for pixel.
// One-pixel lines are drawn by our own Bresenham: QPainter always draws a line's end point (or,
// with a flat cap, drops the wrong end), and the dotted pattern must start at the line's start.
class TImageCanvas final : public TCanvas {
public:
    // The image is converted to 32 bits per pixel when it has another format.
    explicit TImageCanvas(QImage& image);
    ~TImageCanvas() override;
    TImageCanvas(const TImageCanvas&) = delete;
    TImageCanvas& operator=(const TImageCanvas&) = delete;

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const std::string& utf8) override;
    int TextWidth(const std::string& utf8) override;
    int TextHeight(const std::string& utf8) override;

    // The font a canvas font stands for: pixel size for 96 dots per inch, no antialiasing.
    static QFont ToQFont(const TFont& font);

protected:
    void DrawLine(int x1, int y1, int x2, int y2) override;

private:
    void FillRect(int x1, int y1, int x2, int y2, TColor color); // x2, y2 excluded
    void Plot(int x, int y, QRgb rgb);
    QPainter& Painter();
    const QFontMetrics& Metrics();

    QImage& image_;
    std::optional<QPainter> painter_;
    TFont cachedFont_;
    std::optional<QFont> qfont_;
    std::optional<QFontMetrics> metrics_;
};

QRgb ToQRgb(TColor color);
