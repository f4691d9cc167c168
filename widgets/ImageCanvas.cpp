#include "widgets/ImageCanvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

namespace {

// Classic desktop dotted pen: three pixels on, three off.
constexpr int DotOn = 3;
constexpr int DotPeriod = 6;

// Far-away end points are pulled in so that a line's loop stays short.
constexpr int Far = 1 << 16;

int Pull(int v) {
    return std::clamp(v, -Far, Far);
}

struct FontKey {
    std::string name;
    int size;
    bool bold;
    auto operator<=>(const FontKey&) const = default;
};

// Fonts, their metrics, the widths of the texts measured in them and the texts rendered in
// them, for the whole run: the charts measure and write the same few dozen numbers at every
// refresh.
struct FontEntry {
    explicit FontEntry(const QFont& f) : font(f), metrics(f), height(metrics.height()) {}
    QFont font;
    QFontMetrics metrics;
    int height;
    std::map<std::string, int, std::less<>> widths;
    // By text colour and background, then by text.
    std::map<std::pair<TColor, TColor>, std::map<std::string, QImage, std::less<>>> cells;
};

FontEntry& FontFor(const TFont& font) {
    static std::map<FontKey, FontEntry> fonts;
    // The grid asks for one font many times in a row: no key is built for it again.
    static std::pair<const FontKey, FontEntry>* last = nullptr;
    if (last && last->first.size == font.Size && last->first.bold == font.Bold &&
        last->first.name == font.Name)
        return last->second;
    FontKey key{font.Name, font.Size, font.Bold};
    auto found = fonts.find(key);
    if (found == fonts.end())
        found = fonts.emplace(std::move(key), FontEntry(TImageCanvas::ToQFont(font))).first;
    last = &*found;
    return found->second;
}

int WidthOf(FontEntry& entry, const std::string& text) {
    if (const auto found = entry.widths.find(text); found != entry.widths.end())
        return found->second;
    if (entry.widths.size() > 1024) // only texts the charts never write get here
        entry.widths.clear();
    const int width = entry.metrics.horizontalAdvance(QString::fromStdString(text));
    entry.widths.emplace(text, width);
    return width;
}

// A text on its opaque background, rendered once.
const QImage& TextCell(const TFont& font, FontEntry& entry, TColor background,
                       const std::string& text) {
    if (entry.cells.size() > 64) // colours the charts never use
        entry.cells.clear();
    auto& cells = entry.cells[{font.Color, background}];
    if (const auto found = cells.find(text); found != cells.end())
        return found->second;
    if (cells.size() > 1024)
        cells.clear();
    QImage cell(std::max(1, WidthOf(entry, text)), std::max(1, entry.height), QImage::Format_RGB32);
    cell.fill(QColor(ToQRgb(background)));
    QPainter painter(&cell);
    painter.setFont(entry.font);
    painter.setPen(QColor(ToQRgb(font.Color)));
    painter.drawText(0, entry.metrics.ascent(), QString::fromStdString(text));
    painter.end();
    return cells.emplace(text, std::move(cell)).first->second;
}

// Visits the points of a line, its end point only when asked to.
template <typename Visit>
void Bresenham(int x1, int y1, int x2, int y2, bool withEnd, Visit visit) {
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (int x = x1, y = y1;;) {
        const bool end = x == x2 && y == y2;
        if (end && !withEnd)
            break;
        visit(x, y);
        if (end)
            break;
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
}

} // namespace

QRgb ToQRgb(TColor color) {
    return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

namespace {

QImage& In32Bits(QImage& image) {
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32 &&
        image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_RGB32);
    return image;
}

} // namespace

TImageCanvas::TImageCanvas(QImage& image)
    : image_(In32Bits(image)), bits_(image_.bits()), bytesPerLine_(image_.bytesPerLine()),
      width_(image_.width()), height_(image_.height()) {}

QFont TImageCanvas::ToQFont(const TFont& font) {
    QFont f(QString::fromStdString(font.Name));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.Size * 96.0 / 72.0))));
    f.setBold(font.Bold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void TImageCanvas::FillRect(int x1, int y1, int x2, int y2, QRgb rgb) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, width_);
    y2 = std::min(y2, height_);
    for (int y = y1; y < y2; ++y) {
        QRgb* line = Line(y);
        std::fill(line + x1, line + std::max(x1, x2), rgb);
    }
}

void TImageCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    FillRect(x1, y1, x2, y2, ToQRgb(Brush.Color));
    const int w = std::max(1, Pen.Width);
    const QRgb pen = ToQRgb(Pen.Color);
    FillRect(x1, y1, x2, y1 + w, pen);
    FillRect(x1, y2 - w, x2, y2, pen);
    FillRect(x1, y1, x1 + w, y2, pen);
    FillRect(x2 - w, y1, x2, y2, pen);
}

void TImageCanvas::DrawLine(int x1, int y1, int x2, int y2) {
    x1 = Pull(x1);
    y1 = Pull(y1);
    x2 = Pull(x2);
    y2 = Pull(y2);
    const int width = std::max(1, Pen.Width);
    const QRgb rgb = ToQRgb(Pen.Color);
    if (width == 1) {
        const bool dotted = Pen.Style == TPenStyle::Dot;
        int step = 0;
        const auto dot = [&] { return !dotted || step++ % DotPeriod < DotOn; };
        if (x1 == x2 && x1 >= 0 && x1 < width_) {
            // The day lines: down a column, the same points as the general case.
            const int sy = y1 < y2 ? 1 : -1;
            for (int y = y1; y != y2; y += sy)
                if (dot() && y >= 0 && y < height_)
                    Line(y)[x1] = rgb;
        } else {
            Bresenham(x1, y1, x2, y2, false, [&](int x, int y) {
                if (dot())
                    Plot(x, y, rgb);
            });
        }
        return;
    }
    // Wide pens draw solid. Straight lines are filled exactly, centred as QPainter centres
    // them (a 2-pixel line at x = 18 covers columns 17 and 18).
    const int before = width / 2;
    if (x1 == x2) {
        const int top = y1 < y2 ? y1 : y2 + 1;
        const int bottom = y1 < y2 ? y2 : y1 + 1;
        FillRect(x1 - before, top, x1 - before + width, bottom, rgb);
    } else if (y1 == y2) {
        const int left = x1 < x2 ? x1 : x2 + 1;
        const int right = x1 < x2 ? x2 : x1 + 1;
        FillRect(left, y1 - before, right, y1 - before + width, rgb);
    } else {
        // A square brush of the pen's width along the line, both ends included, so that the
        // segments of a curve join without gaps.
        Bresenham(x1, y1, x2, y2, true, [&](int x, int y) {
            const int left = x - before;
            const int top = y - before;
            if (left < 0 || top < 0 || left + width > width_ || top + width > height_) {
                FillRect(left, top, left + width, top + width, rgb);
                return;
            }
            for (int row = top; row < top + width; ++row)
                std::fill_n(Line(row) + left, width, rgb);
        });
    }
}

void TImageCanvas::TextOut(int x, int y, const std::string& utf8) {
    if (utf8.empty())
        return;
    const QImage& cell = TextCell(Font, FontFor(Font), Brush.Color, utf8);
    const int left = std::max(0, -x);
    const int right = std::min(cell.width(), width_ - x);
    for (int row = std::max(0, -y); row < cell.height() && y + row < height_; ++row) {
        if (left >= right)
            break;
        const auto* from = reinterpret_cast<const QRgb*>(cell.constScanLine(row));
        QRgb* to = Line(y + row);
        std::copy(from + left, from + right, to + x + left);
    }
}

int TImageCanvas::TextWidth(const std::string& utf8) {
    return WidthOf(FontFor(Font), utf8);
}

int TImageCanvas::TextHeight(const std::string&) {
    return FontFor(Font).height;
}
