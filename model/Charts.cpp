#include "model/Charts.h"

#include "model/DisplaySettings.h"

#include <algorithm>
#include <cmath>

namespace {

// Keeps far-away coordinates (a birth date centuries after the window) inside what any canvas
// can take without overflow; they are off the image either way.
constexpr std::int64_t CoordinateLimit = 1 << 20;

int ClampCoordinate(std::int64_t v) {
    return static_cast<int>(std::clamp(v, -CoordinateLimit, CoordinateLimit));
}

void DrawDay(TCanvas& image, const TChartFlags& flags, int x, int th, int number, bool solid,
             bool top, bool lineDown) {
    const int h = image.Height();
    const std::string text = std::to_string(number);
    const int w = image.TextWidth(text);
    image.Pen.Style = solid ? TPenStyle::Solid : TPenStyle::Dot;
    if (flags.DayLines) {
        if (lineDown) {
            image.MoveTo(x, th);
            image.LineTo(x, h - th);
        } else {
            image.MoveTo(x, h - th);
            image.LineTo(x, th);
        }
    }
    if (flags.DayNumbers)
        image.TextOut(x - w / 2, top ? 1 : h - th - 2, text);
}

// The loop both curve operations share: one point per day from the later of the window's first
// day and the date of birth to the window's last day.
template <typename ValueOfDay>
void DrawCurve(const TDatalogging& person, TCanvas& image, const TChartWindow& window,
               ValueOfDay valueOfDay) {
    // Two months at most: a window not formed by ChartWindow must not become an endless loop.
    if (!(window.LastDay - window.FirstDay <= 62))
        return;
    const int mid = image.Height() / 2;
    image.Pen.Color = person.Color;
    image.Pen.Width = 2;
    image.Pen.Style = TPenStyle::Solid;
    TDateTime d = std::max(window.FirstDay, person.BirthDate);
    bool first = true;
    do {
        const int x = DayColumn(image.Width(), window.Position(d));
        const int y = mid - RoundHalfEven(valueOfDay(DaysBetween(d, person.BirthDate)));
        if (first) {
            image.MoveTo(x, y);
            first = false;
        }
        image.LineTo(x, y);
        d += 1;
    } while (d <= window.LastDay);
}

TChartFlags ChartFlagsOf(const TDisplaySettings& settings) {
    return {settings.ShowOrdinate(), settings.ShowAbscissa(), settings.ShowDayLines(),
            settings.ShowDayNumbers()};
}

} // namespace

// Round to nearest, ties to even: the floating-point environment's default, which the program
// never changes. rint is nearbyint without saving and restoring the environment around it, which
// only keeps the inexact flag unraised: a flag nothing here reads.
int RoundHalfEven(long double v) {
    return static_cast<int>(std::rint(v));
}

int DayColumn(int width, std::int64_t position) {
    return ClampCoordinate(static_cast<std::int64_t>(width / 62) * (position + 1));
}

std::int64_t DayPositionAt(int width, int x, const TChartWindow& window) {
    const std::int64_t step = std::max(width / 62, 1);
    const std::int64_t days = window.FirstMonthDays + window.SecondMonthDays;
    // Columns lie at step × (position + 1); halfway between two, the later day is nearer.
    const std::int64_t position = (std::int64_t{x} + step / 2) / step - 1;
    return std::clamp<std::int64_t>(position, 1, days);
}

void DrawChartGrid(TCanvas& image, TDateTime prognoseDate, const TChartFlags& flags) {
    const auto window = ChartWindow(prognoseDate);
    if (!window)
        return;
    const int w = image.Width();
    const int h = image.Height();

    image.Brush.Color = clWhite;
    image.Pen = {clNavy, 1, TPenStyle::Solid};
    image.Rectangle(0, 0, w, h);

    if (flags.Abscissa) {
        image.MoveTo(0, h / 2);
        image.LineTo(w, h / 2);
    }

    image.Font.Color = clMaroon;
    image.Font.Name = "Tahoma";
    image.Font.Size = 8;
    image.Font.Bold = false;
    const int th = image.TextHeight(" ");

    const auto prognoseDay = unsigned{DecodeDate(prognoseDate)->day()};
    const auto q = static_cast<int>(window->FirstMonthDays);
    for (int i = 1; i <= q; ++i) {
        image.Font.Bold = false;
        image.Font.Color = clMaroon;
        image.Pen.Width = 1;
        image.Pen.Color = clMaroon;
        if (static_cast<unsigned>(i) == prognoseDay) {
            image.Font.Bold = true;
            image.Pen.Width = 2;
        }
        const bool odd = i % 2 == 1;
        DrawDay(image, flags, DayColumn(w, i), th, i, odd, odd, odd);
    }

    image.Pen.Color = clNavy;
    image.Pen.Width = 1;
    image.Font.Color = clNavy;
    image.Font.Bold = false;
    const auto q2 = static_cast<int>(window->SecondMonthDays);
    for (int j = 1; j <= q2; ++j) {
        const bool odd = (q + j) % 2 == 1;
        DrawDay(image, flags, DayColumn(w, q + j), th, j, odd, odd, true);
    }

    image.Pen.Style = TPenStyle::Solid;
    image.Pen.Color = clNavy;
    if (flags.Ordinate) {
        image.Pen.Width = 1;
        image.MoveTo(w / 62, 0);
        image.LineTo(w / 62, h);
    }

    image.Pen.Width = 1;
    image.MoveTo(0, 0);
    image.LineTo(0, h);
    image.LineTo(w, h);
    image.LineTo(w, 0);
    image.LineTo(0, 0);
}

void DrawCycleCurve(const TDatalogging& person, TCanvas& image, CycleKind kind,
                    const TChartWindow& window, const TCycleTable& values) {
    DrawCurve(person, image, window, [&](std::int32_t n) { return values.Value(n, kind); });
}

void DrawAverageCurve(const TDatalogging& person, TCanvas& image, const TChartWindow& window,
                      TCycleSet cycles, const TCycleTable& values) {
    DrawCurve(person, image, window, [&](std::int32_t n) { return values.Mean(n, cycles); });
}

void DrawChartGrid(TCanvas& image) {
    DrawChartGrid(image, Prognose.PrognoseDate, ChartFlagsOf(DisplaySettings));
}

void DrawCycleCurve(const TDatalogging& person, TCanvas& image, CycleKind kind) {
    if (const auto window = ChartWindow(Prognose.PrognoseDate))
        DrawCycleCurve(person, image, kind, *window);
}

void DrawAverageCurve(const TDatalogging& person, TCanvas& image) {
    if (const auto window = ChartWindow(Prognose.PrognoseDate))
        DrawAverageCurve(person, image, *window, DisplaySettings.Cycles());
}
