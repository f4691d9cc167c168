#include "main/ChartExport.h"

#include "model/Error.h"
#include "platform/ProgramModule.h"
#include "platform/Translation.h"
#include "platform/WholeFile.h"
#include "printing/Print.h"
#include "widgets/SaveFile.h"

#include <QBuffer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibrary>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStatusBar>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// Widgets lay out at 96 pixels per inch; a PDF page of the area's size holds it one to one.
constexpr int PixelsPerInch = 96;

// Printed and PDF pictures are drawn at up to three device pixels per area pixel (288 per inch
// at the area's own size): sharp on paper, and far smaller than a picture at a printer's full
// resolution, which is what Qt makes of a widget rendered onto a printer.
constexpr qreal MaxPrintScale = 3;

// Draws the chart area at the painter's origin in the area's own pixels.
void PaintChartArea(QWidget* area, QPainter& painter) {
    area->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    for (QObject* object : area->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow() || child->isHidden() || qobject_cast<QStatusBar*>(child))
            continue;
        child->render(&painter, child->pos(), QRegion(), QWidget::DrawChildren);
    }
}

QImage RenderChartArea(QWidget* area, qreal scale) {
    QImage image((QSizeF(area->size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(area->palette().color(QPalette::Window));
    QPainter painter(&image);
    PaintChartArea(area, painter);
    return image;
}

// Puts the chart area on a page in one picture, compressed without loss: Qt's PDF output
// otherwise stores pictures as JPEG, which blurs the thin chart lines.
void PaintOnPage(QWidget* area, QPainter& painter, const QRectF& page) {
    const QRectF target = FitOnPage(area->size(), page);
    const qreal scale =
        std::clamp(std::ceil(target.width() / std::max(area->width(), 1)), 1.0, MaxPrintScale);
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, RenderChartArea(area, scale));
}

bool WritePdf(QWidget* area, QIODevice& device) {
    QPdfWriter writer(&device);
    writer.setResolution(PixelsPerInch * static_cast<int>(MaxPrintScale));
    const QSizeF points = QSizeF(area->size()) * 72.0 / PixelsPerInch;
    writer.setPageLayout(
        QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    PaintOnPage(area, painter,
                QRectF(QPointF(), writer.pageLayout().paintRectPixels(writer.resolution()).size()));
    return painter.end();
}

} // namespace

QRectF FitOnPage(const QSizeF& content, const QRectF& page) {
    if (content.isEmpty() || page.isEmpty())
        return QRectF(page.topLeft(), QSizeF());
    const QSizeF size = content.scaled(page.size(), Qt::KeepAspectRatio);
    return QRectF(QPointF(page.left() + (page.width() - size.width()) / 2, page.top()), size);
}

QImage ChartAreaImage(QWidget* chartArea) {
    return RenderChartArea(chartArea, chartArea->devicePixelRatioF());
}

void SaveChartArea(QWidget* chartArea, const QString& fileName) {
    // The picture is made in memory first, then written whole.
    const bool pdf = fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    QBuffer picture;
    picture.open(QIODevice::WriteOnly);
    const bool made =
        pdf ? WritePdf(chartArea, picture) : ChartAreaImage(chartArea).save(&picture, "PNG");
    if (!made)
        ThrowCannotCreate(fileName, QString());
    WriteWholeFile(fileName, picture.data());
}

void SaveChartAreaAs(QWidget* parent, QWidget* chartArea) {
    const QString png = Tr({"Dialogs", "SaveAs.Png"}) + QStringLiteral(" (*.png)");
    QFileDialog dialog(parent, Tr({"Dialogs", "SaveAs.Caption"}));
    PrepareSaveDialog(dialog, {png, Tr({"Dialogs", "SaveAs.Pdf"}) + QStringLiteral(" (*.pdf)")},
                      Tr({"Dialogs", "SaveAs.FileName"}) + QStringLiteral(".png"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString name = dialog.selectedFiles().value(0);
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name +=
            dialog.selectedNameFilter() == png ? QStringLiteral(".png") : QStringLiteral(".pdf");
    if (ConfirmReplace(parent, name))
        SaveChartArea(chartArea, name);
}

TPrintRequest ChartAreaPrintRequest(QWidget* parent, QWidget* chartArea) {
    TPrintRequest request;
    request.parent = parent;
    request.documentName = Tr({"Dialogs", "Print.Document"});
    request.paint = [](void* area, QPainter& painter, const QRectF& printable) {
        PaintOnPage(static_cast<QWidget*>(area), painter, printable);
    };
    request.context = chartArea;
    return request;
}

void ThrowIfNotPrinted(TPrintOutcome outcome, const TPrintRequest& request) {
    if (outcome == TPrintOutcome::CannotOpenFile)
        ThrowCannotCreate(request.failedName, QString());
    if (outcome == TPrintOutcome::CannotOpenPrinter)
        throw EProgramError(
            TrFormat({"Messages", "CannotPrint"}, {request.failedName}).toStdString());
}

QString PrintModule() {
    return QString::fromStdString(ProgramModulePath(PrintModuleName));
}

void PrintChartArea(QWidget* parent, QWidget* chartArea, const QString& module) {
    // Loaded once and kept: QLibrary leaves it mapped until the process ends.
    QLibrary library(module);
    const auto print = reinterpret_cast<decltype(&OrvantaPrint)>(library.resolve(PrintEntryName));
    if (!print)
        throw EProgramError(TrFormat({"Messages", "ResourceNotFound"}, {module}).toStdString());
    TPrintRequest request = ChartAreaPrintRequest(parent, chartArea);
    ThrowIfNotPrinted(print(request), request);
}
