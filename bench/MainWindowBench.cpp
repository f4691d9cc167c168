#include "main/MainUnit.h"
#include "platform/ProgramFolder.h"
#include "settings/Settings.h"

#include <QAction>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// One full analysis refresh of the real window, both persons shown.
void BM_AnalysisRefresh(benchmark::State& state) {
    const QTemporaryDir folder; // no settings file, no languages
    const auto form = std::make_unique<TMainForm>();
    ProgramFolder = folder.path() + QLatin1Char('/');
    form->SetSettingsForm(new TSettingsForm(form.get()));
    form->show();
    for (auto _ : state)
        form->actAnalysisExecute();
    form->hide();
}
BENCHMARK(BM_AnalysisRefresh)->Unit(benchmark::kMicrosecond);

} // namespace
