#include "main/ImageCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Classic desktop dotted pen: three pixels on, three off.
constexpr int DotOn = 3;
constexpr int DotPeriod = 6;

// Far-away end points are pulled in so that a line's loop stays short.
constexpr int Far = 1 << 16;

int Pull(int v) {
    return std::clamp(v, -Far, Far);
}

bool SameFont(const TFont& a, const TFont& b) {
    return a.Name == b.Name && a.Size == b.Size && a.Bold == b.Bold;
}

} // namespace

QRgb ToQRgb(TColor color) {
    return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

TImageCanvas::TImageCanvas(QImage& image) : image_(image) {
    if (image_.format() != QImage::Format_RGB32 && image_.format() != QImage::Format_ARGB32 &&
        image_.format() != QImage::Format_ARGB32_Premultiplied)
        image_.convertTo(QImage::Format_RGB32);
}

TImageCanvas::~TImageCanvas() = default;

QFont TImageCanvas::ToQFont(const TFont& font) {
    QFont f(QString::fromStdString(font.Name));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.Size * 96.0 / 72.0))));
    f.setBold(font.Bold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QPainter& TImageCanvas::Painter() {
    if (!painter_) {
        painter_.emplace(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
    }
    return *painter_;
}

const QFontMetrics& TImageCanvas::Metrics() {
    if (!metrics_ || !SameFont(cachedFont_, Font)) {
        cachedFont_ = Font;
        qfont_ = ToQFont(Font);
        metrics_.emplace(*qfont_);
    }
    return *metrics_;
}

void TImageCanvas::Plot(int x, int y, QRgb rgb) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = rgb;
}

void TImageCanvas::FillRect(int x1, int y1, int x2, int y2, TColor color) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, image_.width());
    y2 = std::min(y2, image_.height());
    const QRgb rgb = ToQRgb(color);
    for (int y = y1; y < y2; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + x1, line + std::max(x1, x2), rgb);
    }
}

void TImageCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    FillRect(x1, y1, x2, y2, Brush.Color);
    const int w = std::max(1, Pen.Width);
    FillRect(x1, y1, x2, y1 + w, Pen.Color);
    FillRect(x1, y2 - w, x2, y2, Pen.Color);
    FillRect(x1, y1, x1 + w, y2, Pen.Color);
    FillRect(x2 - w, y1, x2, y2, Pen.Color);
}

void TImageCanvas::DrawLine(int x1, int y1, int x2, int y2) {
    x1 = Pull(x1);
    y1 = Pull(y1);
    x2 = Pull(x2);
    y2 = Pull(y2);
    const int width = std::max(1, Pen.Width);
    if (width == 1) {
        const QRgb rgb = ToQRgb(Pen.Color);
        const bool dotted = Pen.Style == TPenStyle::Dot;
        const int dx = std::abs(x2 - x1);
        const int dy = -std::abs(y2 - y1);
        const int sx = x1 < x2 ? 1 : -1;
        const int sy = y1 < y2 ? 1 : -1;
        int err = dx + dy;
        int x = x1;
        int y = y1;
        for (int step = 0; x != x2 || y != y2; ++step) {
            if (!dotted || step % DotPeriod < DotOn)
                Plot(x, y, rgb);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
        return;
    }
    // Wide pens draw solid. Straight lines are filled exactly, centred as QPainter centres
    // them (a 2-pixel line at x = 18 covers columns 17 and 18).
    const int before = width / 2;
    if (x1 == x2) {
        const int top = y1 < y2 ? y1 : y2 + 1;
        const int bottom = y1 < y2 ? y2 : y1 + 1;
        FillRect(x1 - before, top, x1 - before + width, bottom, Pen.Color);
    } else if (y1 == y2) {
        const int left = x1 < x2 ? x1 : x2 + 1;
        const int right = x1 < x2 ? x2 : x1 + 1;
        FillRect(left, y1 - before, right, y1 - before + width, Pen.Color);
    } else {
        QPainter& p = Painter();
        p.setPen(
            QPen(QColor(ToQRgb(Pen.Color)), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(x1, y1, x2, y2);
    }
}

void TImageCanvas::TextOut(int x, int y, const std::string& utf8) {
    const QString text = QString::fromStdString(utf8);
    const QFontMetrics& fm = Metrics();
    FillRect(x, y, x + fm.horizontalAdvance(text), y + fm.height(), Brush.Color);
    QPainter& p = Painter();
    p.setFont(*qfont_);
    p.setPen(QColor(ToQRgb(Font.Color)));
    p.drawText(x, y + fm.ascent(), text);
}

int TImageCanvas::TextWidth(const std::string& utf8) {
    return Metrics().horizontalAdvance(QString::fromStdString(utf8));
}

int TImageCanvas::TextHeight(const std::string& utf8) {
    (void)utf8;
    return Metrics().height();
}
