#pragma once

#include "model/Canvas.h"
#include "model/Shared.h"

// The month charts of the chart window of a prognosis date. Each leaves the canvas as it was
// when the chart window cannot be formed.

// What the grid shows besides the frame and the day positions.
struct TChartFlags {
    bool Ordinate = true;
    bool Abscissa = true;
    bool DayLines = true;
    bool DayNumbers = true;
};

// Clears the canvas and draws the frame, the axes, the day lines and the day numbers that
// `flags` ask for, the prognosis day in bold.
void DrawChartGrid(TCanvas& image, TDateTime prognoseDate, const TChartFlags& flags);

// One person's curve of a cycle, its values read from `values` where it has them (the
// person's table over the window, TDatalogging::ValuesOver).
void DrawCycleCurve(const TDatalogging& person, TCanvas& image, CycleKind kind,
                    const TChartWindow& window, const TCycleTable& values = {});

// One person's curve of the average of `cycles` (flat at mid-height when it is empty).
void DrawAverageCurve(const TDatalogging& person, TCanvas& image, const TChartWindow& window,
                      TCycleSet cycles, const TCycleTable& values = {});

// The same for Prognose.PrognoseDate, with the flags and cycles of DisplaySettings.
void DrawChartGrid(TCanvas& image);
void DrawCycleCurve(const TDatalogging& person, TCanvas& image, CycleKind kind);
void DrawAverageCurve(const TDatalogging& person, TCanvas& image);

// The row offset of a value: rounded to the nearest whole number, ties to even.
int RoundHalfEven(long double v);

// Column of a day position: DayStep × (position + 1), DayStep = width div 62.
int DayColumn(int width, std::int64_t position);

// The position (1 for the window's first day) of the day whose column lies nearest to x, kept
// inside the window.
std::int64_t DayPositionAt(int width, int x, const TChartWindow& window);
