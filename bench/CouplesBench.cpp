// Start-up and the list of couples with none and with the most a file keeps (1,000).
#include "base/Couples.h"
#include "base/SettingsCodec.h"
#include "main/CoupleDialogs.h"
#include "main/MainUnit.h"
#include "main/SettingsFile.h"
#include "platform/Couples.h"
#include "platform/ProgramFolder.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// A program folder whose settings file holds the settings and `couples` couples.
struct TFolderWithCouples {
    explicit TFolderWithCouples(int couples) {
        TProfileFile file =
            WithSettings(TProfileFile(), *EncodeDate(1982, 12, 23), *EncodeDate(1983, 9, 29));
        const TCoupleReading reading = CoupleReading();
        for (int i = 0; i < couples; ++i)
            if (SaveCouple(file, reading,
                           {"Пара номер " + std::to_string(i), *EncodeDate(1950 + i % 50, 1, 1),
                            *EncodeDate(1960 + i % 40, 2, 2)}) != TCoupleChange::Done)
                std::abort();
        path = dir.path() + QLatin1Char('/') +
               QString::fromStdString(SettingsFileName(
                   QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString()));
        QFile out(path);
        const std::string bytes = file.Bytes();
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                static_cast<qint64>(bytes.size()))
            std::abort();
    }
    QTemporaryDir dir;
    QString path;
};

// The window made, its settings file read, its first refresh drawn, and gone again.
void BM_StartUpWithCouples(benchmark::State& state) {
    const TFolderWithCouples folder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto form = std::make_unique<TMainForm>();
        ProgramFolder = folder.dir.path() + QLatin1Char('/');
        form->SetSettingsForm(new TSettingsForm(form.get()));
        form->show();
        QCoreApplication::processEvents();
        form->hide();
    }
}
BENCHMARK(BM_StartUpWithCouples)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond);

// Ctrl+O until the list shows: the file read, the couples sorted by name and listed.
void BM_OpenCoupleList(benchmark::State& state) {
    const TFolderWithCouples folder(static_cast<int>(state.range(0)));
    const TCoupleStore store{[&folder] { return ReadStoredCouples(folder.path); },
                             [](const std::string&, const std::string&) { return false; },
                             [](const std::string&) { return false; }};
    for (auto _ : state) {
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        benchmark::DoNotOptimize(ChooseCouple(nullptr, store, {}));
    }
}
BENCHMARK(BM_OpenCoupleList)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
