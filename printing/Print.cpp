#include "printing/Print.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

TPrintOutcome PrintPage(QPrinter& printer, TPrintRequest& request) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        const bool toFile =
            printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
        request.failedName = toFile ? printer.outputFileName() : printer.printerName();
        return toFile ? TPrintOutcome::CannotOpenFile : TPrintOutcome::CannotOpenPrinter;
    }
    const QRectF printable = printer.pageLayout().paintRectPixels(printer.resolution());
    request.paint(request.context, painter, QRectF(QPointF(), printable.size()));
    painter.end();
    return TPrintOutcome::Printed;
}

TPrintOutcome OrvantaPrint(TPrintRequest& request) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(request.documentName);
    QPrintDialog dialog(&printer, request.parent);
    if (dialog.exec() != QDialog::Accepted)
        return TPrintOutcome::Cancelled;
    return PrintPage(printer, request);
}
