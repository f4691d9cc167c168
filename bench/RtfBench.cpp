#include "viewer/InfoViewer.h"
#include "viewer/RtfReader.h"
#include "viewer/RtfWriter.h"

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// About 1 MB of RTF: 700 paragraphs of Russian and Latin text in 14,000 runs, with 2000 fonts
// and 5000 colours, one paragraph of 8000 one-letter runs and one word of 50,000 letters.
void FillLargeDocument(QTextDocument& document) {
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextCharFormat format;
    format.setFontPointSize(10);
    for (int paragraph = 0; paragraph < 700; ++paragraph) {
        if (paragraph > 0)
            cursor.insertBlock();
        for (int run = 0; run < 20; ++run) {
            const int n = paragraph * 20 + run;
            format.setFontFamilies({QStringLiteral("Шрифт %1").arg(n % 2000)});
            format.setForeground(QColor::fromRgb(n % 250, n % 5000 / 250, 7));
            format.setFontWeight(run % 2 ? QFont::Bold : QFont::Normal);
            cursor.insertText(run % 3 ? QStringLiteral("текст ") : QStringLiteral("text "), format);
        }
    }
    cursor.insertBlock();
    QTextCharFormat plain, bold;
    bold.setFontWeight(QFont::Bold);
    for (int run = 0; run < 4000; ++run) {
        cursor.insertText(QStringLiteral("x"), plain);
        cursor.insertText(QStringLiteral("y"), bold);
    }
    cursor.insertBlock();
    cursor.insertText(QString(50000, u'z'), plain);
    cursor.endEditBlock();
}

void BM_WriteRtfLargeDocument(benchmark::State& state) {
    QTextDocument document;
    FillLargeDocument(document);
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray rtf = WriteRtf(document);
        size = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.counters["rtf_bytes"] = static_cast<double>(size);
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_WriteRtfLargeDocument)->Unit(benchmark::kMillisecond);

// What "save as" does with the same document: the viewer's save into a file.
void BM_ViewerSavesLargeDocument(benchmark::State& state) {
    TInfoViewerForm viewer;
    FillLargeDocument(*viewer.findChild<QTextEdit*>(QStringLiteral("reInfo"))->document());
    const QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("Справка.rtf"));
    for (auto _ : state)
        viewer.SaveDocument(fileName);
    state.counters["file_bytes"] = static_cast<double>(QFileInfo(fileName).size());
}
BENCHMARK(BM_ViewerSavesLargeDocument)->Unit(benchmark::kMillisecond);

// One line of n runs alternating plain and bold: the time grows in proportion to n.
void BM_WriteRtfRunsInOneLine(benchmark::State& state) {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextCharFormat plain, bold;
    bold.setFontWeight(QFont::Bold);
    for (int run = 0; run < state.range(0) / 2; ++run) {
        cursor.insertText(QStringLiteral("x"), plain);
        cursor.insertText(QStringLiteral("y"), bold);
    }
    cursor.endEditBlock();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteRtf(document).data());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WriteRtfRunsInOneLine)
    ->RangeMultiplier(4)
    ->Range(2000, 128000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// n fonts and as many colours, each used by one run.
void BM_WriteRtfFontsAndColours(benchmark::State& state) {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextCharFormat format;
    for (int run = 0; run < state.range(0); ++run) {
        format.setFontFamilies({QStringLiteral("Font %1").arg(run)});
        format.setForeground(QColor::fromRgb(static_cast<QRgb>(run)));
        cursor.insertText(QStringLiteral("w "), format);
    }
    cursor.endEditBlock();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteRtf(document).data());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WriteRtfFontsAndColours)
    ->RangeMultiplier(4)
    ->Range(3125, 200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Help documents a language may bring, up to 2 MB: one word of a million letters, a quarter of
// a million short paragraphs, and the shipped help repeated to 2 MB.
QByteArray HelpDocument(int kind) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    if (kind == 0)
        return rtf + QByteArray(1'000'000, 'w');
    if (kind == 1)
        return rtf + QByteArray("abc\\par ").repeated(250'000) + "}";
    QFile help(QStringLiteral(ORVANTA_LANGUAGE_DIR "/English.help.rtf"));
    if (!help.open(QIODevice::ReadOnly))
        std::abort();
    const QByteArray whole = help.readAll();
    const QByteArray body = whole.sliced(whole.indexOf("\\pard"));
    rtf = whole.first(whole.indexOf("\\pard"));
    while (rtf.size() + body.size() < 2'000'000)
        rtf += body.first(body.lastIndexOf('}')) + "\\par\n";
    return rtf + "}";
}

void HelpArguments(benchmark::internal::Benchmark* bench) {
    bench->ArgName("document")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
}

// Our reader building the document.
void BM_ReadHelpDocument(benchmark::State& state) {
    const QByteArray rtf = HelpDocument(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QTextDocument document;
        ReadRtf(rtf, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.counters["rtf_bytes"] = static_cast<double>(rtf.size());
}
BENCHMARK(BM_ReadHelpDocument)->Apply(HelpArguments);

// F1 with such a help: from the call until the shown viewer has painted its first screen and
// handles the next event, closed then.
void BM_ShowHelpUntilInput(benchmark::State& state) {
    const QByteArray rtf = HelpDocument(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QTimer::singleShot(0, [] {
            if (QWidget* viewer = QApplication::activeModalWidget()) {
                viewer->repaint();
                QTimer::singleShot(0, viewer, &QWidget::close);
            }
        });
        ShowRtfInViewer(nullptr, QStringLiteral("Help"), rtf);
    }
    state.counters["rtf_bytes"] = static_cast<double>(rtf.size());
}
BENCHMARK(BM_ShowHelpUntilInput)->Apply(HelpArguments);

} // namespace
