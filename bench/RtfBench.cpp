#include "viewer/InfoViewer.h"
#include "viewer/RtfWriter.h"

#include <QColor>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <benchmark/benchmark.h>

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

} // namespace
