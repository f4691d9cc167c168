#pragma once

#include "model/Canvas.h"
#include "model/Shared.h"

// The month charts over the chart window of Prognose.PrognoseDate. Each leaves the canvas as it
// was when the chart window cannot be formed.

// Clears the canvas and draws the frame, the axes, the day lines and the day numbers that the
// display settings ask for.
void DrawChartGrid(TCanvas& image);

// One person's curve of the cycle whose factor is given.
void DrawCycleCurve(const TDatalogging& person, TCanvas& image, long double factor);

// One person's curve of the average of the cycles in use (flat at mid-height when none is).
void DrawAverageCurve(const TDatalogging& person, TCanvas& image);

// Column of a day position: DayStep × (position + 1), DayStep = width div 62.
int DayColumn(int width, std::int64_t position);

// The position (1 for the window's first day) of the day whose column lies nearest to x, kept
// inside the window.
std::int64_t DayPositionAt(int width, int x, const TChartWindow& window);
