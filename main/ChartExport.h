#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include "printing/Print.h"

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

// "Печать": asks for a printer and prints the chart area on one page, as large as the printable
// area allows with its proportions kept, centred across the page at its top, through the
// printing module at `module`. Throws EProgramError when printing cannot start, or "Ресурс
// <module> не найден" when the module cannot be loaded.
void PrintChartArea(QWidget* parent, QWidget* chartArea, const QString& module);
// Where the printing module is: where the windows' module is (ProgramModulePath).
QString PrintModule();

// What PrintChartArea hands the printing module, and how it reports the outcome.
TPrintRequest ChartAreaPrintRequest(QWidget* parent, QWidget* chartArea);
void ThrowIfNotPrinted(TPrintOutcome outcome, const TPrintRequest& request);

// Where content of a size goes on a page: scaled to fit, proportions kept, centred across the
// page, at its top.
QRectF FitOnPage(const QSizeF& content, const QRectF& page);
