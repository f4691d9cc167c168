#include "main/ChartExport.h"
#include "tests/QtTestSupport.h"

#include "model/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A small chart area: a captioned group box with two captioned charts and a status line that
// shows a hint.
struct TChartArea {
    QGroupBox area{QStringLiteral(" Графики биоритмов для января и февраля ")};
    QGroupBox* first = new QGroupBox(QStringLiteral(" Физический "), &area);
    QGroupBox* second = new QGroupBox(QStringLiteral(" Сердечный "), &area);
    QWidget* chart = new QWidget(first);
    QStatusBar* status = new QStatusBar(&area);

    TChartArea() {
        area.setFixedSize(300, 200);
        first->setGeometry(2, 15, 296, 70);
        second->setGeometry(2, 90, 296, 70);
        chart->setGeometry(12, 15, 270, 50);
        chart->setAutoFillBackground(true);
        QPalette red = chart->palette();
        red.setColor(QPalette::Window, Qt::red);
        chart->setPalette(red);
        status->setGeometry(2, 170, 296, 19);
        status->setSizeGripEnabled(false);
        status->showMessage(
            QStringLiteral("Подсказка в строке состояния, которой нет на графиках"));
        area.show();
    }
};

QByteArray ReadAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string CannotCreate(const QString& fileName) {
    return QStringLiteral("Не могу создать файл \"%1\". ")
        .arg(QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath()))
        .toStdString();
}

} // namespace

TEST(ChartExport, PngIsTheAreaAsOnScreenWithoutTheStatusLine) {
    TChartArea w;
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("графики.png"));
    WriteFile(name, "an older file");

    SaveChartArea(&w.area, name);
    QImage saved;
    ASSERT_TRUE(saved.loadFromData(ReadAll(name), "PNG"));
    const qreal ratio = w.area.devicePixelRatioF();
    EXPECT_EQ(saved.size(), (QSizeF(w.area.size()) * ratio).toSize());
    // The atomic write leaves nothing beside the file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("графики.png")});

    // Pixel for pixel what the screen shows with the status line hidden: the hint it shows
    // is not part of the picture, and the area's frame and background are.
    const QImage screen = w.area.grab().toImage().convertToFormat(saved.format());
    w.status->hide();
    const QImage withoutStatus = w.area.grab().toImage().convertToFormat(saved.format());
    w.status->show();
    EXPECT_EQ(saved, withoutStatus);
    EXPECT_NE(saved, screen);
    EXPECT_EQ(QColor(saved.pixel(QPoint(2 + 12 + 100, 15 + 15 + 25) * ratio)), QColor(Qt::red));
}

TEST(ChartExport, PdfByNameOnOnePageOfTheAreaSize) {
    TChartArea w;
    QTemporaryDir dir;
    for (const QString& file : {QStringLiteral("charts.pdf"), QStringLiteral("CHARTS.PDF")}) {
        const QString name = dir.filePath(file);
        SaveChartArea(&w.area, name);
        const QByteArray pdf = ReadAll(name);
        EXPECT_TRUE(pdf.startsWith("%PDF")) << file.toStdString();
        // One page of 300 by 200 pixels at 96 per inch: 225 by 150 points.
        const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
        const auto match = box.match(QString::fromLatin1(pdf));
        ASSERT_TRUE(match.hasMatch());
        EXPECT_NEAR(match.captured(1).toDouble(), 225, 1);
        EXPECT_NEAR(match.captured(2).toDouble(), 150, 1);
        EXPECT_EQ(pdf.count("/Type /Page") - pdf.count("/Type /Pages"), 1);
        // One picture of three pixels per area pixel, stored without loss: JPEG would blur the
        // thin chart lines.
        EXPECT_TRUE(pdf.contains("/Width 900")) << file.toStdString();
        EXPECT_FALSE(pdf.contains("/DCTDecode")) << file.toStdString();
    }
    // Only a name ending in ".pdf" is a PDF.
    const QString png = dir.filePath(QStringLiteral("charts.pdf.png"));
    SaveChartArea(&w.area, png);
    EXPECT_TRUE(ReadAll(png).startsWith("\x89PNG"));
}

TEST(ChartExport, FailedSaveThrowsAndLeavesNoFile) {
    TChartArea w;
    QTemporaryDir dir;
    // Under a regular file no file can be created, not even by root.
    const QString plain = dir.filePath(QStringLiteral("plain.txt"));
    WriteFile(plain, "keep me");

    for (const QString& leaf : {QStringLiteral("charts.png"), QStringLiteral("charts.pdf")}) {
        const QString name = plain + QLatin1Char('/') + leaf;
        try {
            SaveChartArea(&w.area, name);
            ADD_FAILURE() << "no error for " << name.toStdString();
        } catch (const EProgramError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.substr(0, CannotCreate(name).size()), CannotCreate(name));
            EXPECT_GT(message.size(), CannotCreate(name).size()) << "a reason follows";
        }
        EXPECT_FALSE(QFileInfo::exists(name));
    }
    EXPECT_EQ(ReadAll(plain), "keep me");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("plain.txt")});
}

TEST(ChartExport, PrintsScaledToThePage) {
    // Proportions kept, as wide or as high as the page allows, centred across at the top.
    EXPECT_EQ(FitOnPage({600, 500}, {0, 0, 1200, 2000}), QRectF(0, 0, 1200, 1000));
    EXPECT_EQ(FitOnPage({600, 500}, {0, 0, 2000, 1000}), QRectF(400, 0, 1200, 1000));
    EXPECT_EQ(FitOnPage({600, 500}, {10, 20, 300, 1000}), QRectF(10, 20, 300, 250));
    EXPECT_EQ(FitOnPage({0, 500}, {0, 0, 300, 1000}).size(), QSizeF());
    EXPECT_EQ(FitOnPage({600, 500}, {0, 0, 0, 0}).size(), QSizeF());

    TChartArea w;
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("печать.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(name);
    PrintChartArea(&w.area, printer);
    const QByteArray pdf = ReadAll(name);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    // At most three pixels per area pixel, whatever the printer's resolution, and without loss.
    EXPECT_TRUE(pdf.contains("/Width 900"));
    EXPECT_FALSE(pdf.contains("/DCTDecode"));
    // More than an empty page: the area's texts and pictures are on it.
    QPrinter empty(QPrinter::HighResolution);
    empty.setOutputFormat(QPrinter::PdfFormat);
    const QString emptyName = dir.filePath(QStringLiteral("empty.pdf"));
    empty.setOutputFileName(emptyName);
    QWidget blank;
    blank.resize(300, 200);
    PrintChartArea(&blank, empty);
    EXPECT_GT(pdf.size(), ReadAll(emptyName).size() + 1000);

    // A printer that cannot start says so and creates nothing.
    const QString plain = dir.filePath(QStringLiteral("plain.txt"));
    WriteFile(plain, {});
    QPrinter broken(QPrinter::HighResolution);
    broken.setOutputFormat(QPrinter::PdfFormat);
    const QString brokenName = plain + QStringLiteral("/print.pdf");
    broken.setOutputFileName(brokenName);
    try {
        PrintChartArea(&w.area, broken);
        ADD_FAILURE() << "no error";
    } catch (const EProgramError& error) {
        EXPECT_EQ(std::string(error.what()),
                  CannotCreate(brokenName).substr(0, CannotCreate(brokenName).size() - 1));
    }
    EXPECT_FALSE(QFileInfo::exists(brokenName));
}
