#pragma once

// The print dialog and the printing itself: the only code that needs Qt PrintSupport. It is built
// as a module of its own, liborvanta-printing.so, that the windows load at the first print, so
// that start-up maps no print library. The module holds none of the program's own code: the
// page comes through `paint`, failures go back as an outcome for the caller to report.

#include <QString>

class QPainter;
class QPrinter;
class QRectF;
class QWidget;

enum class TPrintOutcome { Cancelled, Printed, CannotOpenFile, CannotOpenPrinter };

struct TPrintRequest {
    QWidget* parent = nullptr; // owns the print dialog
    QString documentName;      // the job's name in the printer's queue
    // Paints the page into `area`, the printable area from its top-left corner.
    void (*paint)(void* context, QPainter& painter, const QRectF& area) = nullptr;
    void* context = nullptr;
    QString failedName; // on a failure: the file or the printer that could not be opened
};

// Prints the page on `printer`.
TPrintOutcome PrintPage(QPrinter& printer, TPrintRequest& request);

// The module's entry point: asks for a printer with Qt's print dialog, then prints on it.
extern "C" TPrintOutcome OrvantaPrint(TPrintRequest& request);
inline constexpr char PrintEntryName[] = "OrvantaPrint";
inline constexpr char PrintModuleName[] = "liborvanta-printing.so";
