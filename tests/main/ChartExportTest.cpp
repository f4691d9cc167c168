#include "main/ChartExport.h"
#include "tests/QtTestSupport.h"
#include "widgets/SaveFile.h"

#include "model/Error.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>
#include <optional>

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
    ASSERT_TRUE(saved.loadFromData(ReadFile(name), "PNG"));
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
        const QByteArray pdf = ReadFile(name);
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
    EXPECT_TRUE(ReadFile(png).startsWith("\x89PNG"));
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
    // What a high-resolution printer to a PDF file prints of a widget.
    const auto print = [](QWidget* widget, const QString& name) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(name);
        TPrintRequest request = ChartAreaPrintRequest(nullptr, widget);
        ThrowIfNotPrinted(PrintPage(printer, request), request);
        return ReadFile(name);
    };
    const QByteArray pdf = print(&w.area, dir.filePath(QStringLiteral("печать.pdf")));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    // At most three pixels per area pixel, whatever the printer's resolution, and without loss.
    EXPECT_TRUE(pdf.contains("/Width 900"));
    EXPECT_FALSE(pdf.contains("/DCTDecode"));
    // More than an empty page: the area's texts and pictures are on it.
    QWidget blank;
    blank.resize(300, 200);
    EXPECT_GT(pdf.size(), print(&blank, dir.filePath(QStringLiteral("empty.pdf"))).size() + 1000);

    // A printer that cannot start says so and creates nothing.
    const QString plain = dir.filePath(QStringLiteral("plain.txt"));
    WriteFile(plain, {});
    const QString brokenName = plain + QStringLiteral("/print.pdf");
    try {
        print(&w.area, brokenName);
        ADD_FAILURE() << "no error";
    } catch (const EProgramError& error) {
        EXPECT_EQ(std::string(error.what()),
                  CannotCreate(brokenName).substr(0, CannotCreate(brokenName).size() - 1));
    }
    EXPECT_FALSE(QFileInfo::exists(brokenName));

    // Without its module (a broken installation) a print names the file it misses.
    const QString missing = dir.filePath(QStringLiteral("liborvanta-printing.so"));
    try {
        PrintChartArea(nullptr, &w.area, missing);
        ADD_FAILURE() << "no error";
    } catch (const EProgramError& error) {
        EXPECT_EQ(QString::fromStdString(error.what()),
                  QStringLiteral("Ресурс %1 не найден").arg(missing));
    }
}

// "Сохранить как": the type comes from the name, or from the chosen filter when the name has no
// extension; an existing file is replaced only when the user says "Да" to the question that
// names it (by its name as saved, extension added). Otherwise it stays byte for byte and
// nothing is written beside it.
TEST(ChartExport, SaveAsAsksBeforeReplacingAFile) {
    const QString png = QStringLiteral("Рисунок PNG (*.png)");
    const QString pdf = QStringLiteral("Документ PDF (*.pdf)");
    const struct {
        const char* typed;
        QString filter;
        const char* saved; // the file the chart goes to
        std::optional<QByteArray> existing;
        const char* answer;
        const char* kind; // what the file holds afterwards: "PNG", "PDF" or "old"
    } rows[] = {
        {"графики", pdf, "графики.pdf", std::nullopt, "", "PDF"},
        {"графики.png", png, "графики.png", QByteArray("old\0picture", 11), "Нет", "old"},
        {"графики", png, "графики.png", QByteArray("old picture"), "Да", "PNG"},
        {"графики", pdf, "графики.pdf", QByteArray("old document"), "Да", "PDF"},
        {"notes.txt", png, "notes.txt", QByteArray("my own notes"), "Esc", "old"},
        {"notes.txt", pdf, "notes.txt", QByteArray("my own notes"), "Да", "PNG"},
    };
    TChartArea w;
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.typed) + " " + row.filter.toStdString() + " " + row.answer);
        QTemporaryDir folder;
        const QString saved = folder.filePath(row.saved);
        if (row.existing)
            WriteFile(saved, *row.existing);
        QObject session; // ends the waits for boxes that never come
        TBoxSeen question;
        bool dialogShown = false;
        OnModal(&session, [&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            dialogShown = true;
            EXPECT_EQ(dialog->nameFilters(), QStringList({png, pdf}));
            dialog->setDirectory(folder.path());
            dialog->selectNameFilter(row.filter);
            TypeFileName(dialog, row.typed);
            AnswerNextBox(&session, row.answer, question);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own is protected
        });
        SaveChartAreaAs(&w.area, &w.area);

        EXPECT_TRUE(dialogShown);
        EXPECT_EQ(question.shown, row.existing.has_value());
        if (row.existing) {
            EXPECT_EQ(question.text,
                      QString("Файл «%1» уже существует. Заменить его?").arg(row.saved));
            EXPECT_EQ(question.buttons, QStringList({"Да", "Нет"}));
            EXPECT_EQ(question.defaultButton, "Нет");
        }
        const QByteArray bytes = ReadFile(saved);
        const std::string kind = row.kind;
        if (kind == "old")
            EXPECT_EQ(bytes, *row.existing);
        else if (kind == "PNG")
            EXPECT_TRUE(bytes.startsWith("\x89PNG"));
        else
            EXPECT_TRUE(bytes.startsWith("%PDF"));
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{row.saved});
    }
}

// Under a regular file no file can be created, not even by root. A pipe or a folder by the
// chosen name is no file to replace: nothing is asked, and the save fails and leaves it as it was
// (a rename would put a file in place of a pipe, or of a device node in /dev, since the program
// may run as root).
TEST(ChartExport, FailedSaveThrowsAndLeavesWhatWasThere) {
    TChartArea w;
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.txt"));
    WriteFile(plain, "keep me");
    const QString pipe = dir.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("folder.pdf"));
    ASSERT_TRUE(QDir().mkdir(folder));
    for (const QString& name : {plain + QStringLiteral("/charts.png"),
                                plain + QStringLiteral("/charts.pdf"), pipe, folder}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(ConfirmReplace(&w.area, name)); // no box: the test would wait for ever
        try {
            SaveChartArea(&w.area, name);
            ADD_FAILURE() << "saved";
        } catch (const EProgramError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.substr(0, CannotCreate(name).size()), CannotCreate(name));
            EXPECT_GT(message.size(), CannotCreate(name).size()) << "a reason follows";
        }
    }
    EXPECT_EQ(ReadFile(plain), "keep me");
    struct stat status {};
    EXPECT_TRUE(stat(QFile::encodeName(pipe).constData(), &status) == 0 &&
                S_ISFIFO(status.st_mode));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({"folder.pdf", "pipe.png", "plain.txt"}));
}
