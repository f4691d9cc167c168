// Settings and language files of the largest size the program accepts (16 MiB): what start-up
// does with each (read, parse, the reads of every entry it uses) and what the close does with
// the settings file.
#include "main/MainUnit.h"
#include "main/SettingsFile.h"
#include "model/DateTime.h"
#include "platform/LanguageFile.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// Sections of entries up to `size` bytes, `tail` (the entries start-up reads) last, where a
// reading that scans the file finds them latest.
QByteArray Padded(const QByteArray& tail, qsizetype size) {
    QByteArray bytes;
    bytes.reserve(size);
    for (int section = 0; bytes.size() + tail.size() < size; ++section) {
        bytes += "[Notes" + QByteArray::number(section) + "]\n";
        for (int key = 0; key < 20; ++key)
            bytes += "note" + QByteArray::number(key) + "=kept by hand, never read\n";
    }
    bytes.truncate(size - tail.size() - 1);
    return bytes + "\n" + tail;
}

QString Written(const QTemporaryDir& folder, const char* name, const QByteArray& bytes) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
    return path;
}

// The fourteen entries as the program writes them, and a language.
QByteArray SettingsEntries() {
    const TProfileFile file =
        WithSettings(TProfileFile(), *EncodeDate(1982, 12, 23), *EncodeDate(1983, 9, 29));
    return QByteArray::fromStdString(file.Bytes()) + "Language=English\n";
}

void BM_SettingsFileStartUp16MiB(benchmark::State& state) {
    const QTemporaryDir folder;
    const QString path =
        Written(folder, "orvanta.ini", Padded(SettingsEntries(), MaxProfileFileSize));
    for (auto _ : state)
        benchmark::DoNotOptimize(ApplySettingsFile(LoadSettingsFile(path)));
}
BENCHMARK(BM_SettingsFileStartUp16MiB)->Unit(benchmark::kMillisecond);

void BM_SettingsFileClose16MiB(benchmark::State& state) {
    const QTemporaryDir folder;
    const QString path =
        Written(folder, "orvanta.ini", Padded(SettingsEntries(), MaxProfileFileSize));
    for (auto _ : state)
        SaveSettingsFile(path, *EncodeDate(1982, 12, 23), *EncodeDate(1983, 9, 29));
}
BENCHMARK(BM_SettingsFileClose16MiB)->Unit(benchmark::kMillisecond);

void BM_LanguageFileStartUp16MiB(benchmark::State& state) {
    QFile shipped(QStringLiteral(ORVANTA_LANGUAGE_DIR "/English.lng.ini"));
    if (!shipped.open(QIODevice::ReadOnly))
        std::abort();
    const QTemporaryDir folder;
    const QString path =
        Written(folder, "English.lng.ini", Padded(shipped.readAll(), MaxProfileFileSize));
    const auto form = std::make_unique<TMainForm>();
    form->SetSettingsForm(new TSettingsForm(form.get()));
    for (auto _ : state) {
        const auto file = ReadLanguageAt(path).File;
        benchmark::DoNotOptimize(form->ApplyLanguage(*file));
    }
}
BENCHMARK(BM_LanguageFileStartUp16MiB)->Unit(benchmark::kMillisecond);

} // namespace
