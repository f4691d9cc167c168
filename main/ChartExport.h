#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPrinter;
class QWidget;

// The chart area (the group box with the chart caption and the five charts) kept as a picture
// or printed. It is drawn as it is on screen, except for its status line, whose passing hints
// are no part of the charts.

// The chart area in device pixels (its size times its device pixel ratio).
QImage ChartAreaImage(QWidget* chartArea);

// Saves the chart area as PNG, or as PDF (one page the size of the area) when the name ends in
// ".pdf" in any case. The file is replaced only once it is completely written, and only a
// regular file is replaced. Throws EProgramError "Не могу создать файл "<full name>". <reason>"
// when it cannot be written; an existing file is then left as it was.
void SaveChartArea(QWidget* chartArea, const QString& fileName);

// "Сохранить как": asks for the file, PNG or PDF by the name or the chosen type, and before
// replacing an existing file; saves nothing when either is declined. Throws like SaveChartArea.
void SaveChartAreaAs(QWidget* parent, QWidget* chartArea);

// Prints the chart area on one page, as large as the printable area allows with its proportions
// kept, centred across the page at its top. Throws EProgramError when printing cannot start.
void PrintChartArea(QWidget* chartArea, QPrinter& printer);

// Where content of a size goes on a page: scaled to fit, proportions kept, centred across the
// page, at its top.
QRectF FitOnPage(const QSizeF& content, const QRectF& page);
