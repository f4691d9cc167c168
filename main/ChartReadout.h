#pragma once

#include <QPoint>
#include <QString>

#include <string>

class QLabel;
class QWidget;

// The read-out a left click on a chart shows beside the pointer: the day under the pointer and,
// for each person the charts show, the value of the chart's cycle (charts 0..3, in the order of
// CycleKind) or of the average (chart 4) in percent with its trend, from Prognose as the last
// refresh left it.

// Shows the read-out of the chart under the pointer at `at` (in the chart's coordinates), its
// date headed with `coupleName` (UTF-8) when the couple has one. It stays until the pointer
// leaves the chart, the window is left or HideChartReadout runs.
void ShowChartReadout(QWidget* chartImage, int chart, QPoint at, const std::string& coupleName);
void HideChartReadout();

// The read-out's window, or nothing before the first click; for tests.
QLabel* ChartReadout();
