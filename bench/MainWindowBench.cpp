#include "main/MainUnit.h"
#include "model/Shared.h"
#include "platform/ProgramFolder.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QDateEdit>
#include <QEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

// Counts the paint events of the charts: the benchmarks that paint show that they did.
class TPaintCount : public QObject {
public:
    explicit TPaintCount(TMainForm& form) {
        for (int chart = 0; chart < 5; ++chart)
            form.Chart(chart)->installEventFilter(this);
    }
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        Count += event->type() == QEvent::Paint;
        return false;
    }
};

// The window as the program starts it, without a settings file or languages, shown and painted;
// its start-up refreshes are the start-up's (scripts/startup.sh), not these benchmarks'.
class TShownWindow {
public:
    TShownWindow() : form_(std::make_unique<TMainForm>()) {
        ProgramFolder = folder_.path() + QLatin1Char('/');
        form_->SetSettingsForm(new TSettingsForm(form_.get()));
        form_->show();
        QApplication::processEvents(); // the first paint
    }
    ~TShownWindow() { form_->hide(); }

    // December 2026: two months of 31 days.
    static QDate First() { return {2026, 12, 7}; }

    // The prognosis date set as code sets it, without a refresh.
    void SetPrognosis(QDate date) {
        const QSignalBlocker blocker(Prognosis());
        Prognosis()->setDate(date);
    }

    TMainForm& Form() { return *form_; }
    QDateEdit* Prognosis() const {
        return form_->findChild<QDateEdit*>(QStringLiteral("dtpPrognoseDate"));
    }

private:
    const QTemporaryDir folder_; // no settings file, no languages
    const std::unique_ptr<TMainForm> form_;
};

// One full analysis refresh of the real window, both persons shown, the same dates each time.
void BM_AnalysisRefresh(benchmark::State& state) {
    TShownWindow window;
    window.SetPrognosis(TShownWindow::First());
    for (auto _ : state)
        window.Form().actAnalysisExecute();
}
BENCHMARK(BM_AnalysisRefresh)->Unit(benchmark::kMicrosecond);

// What a user waits for when a date changes: the refresh the picker runs and the painting of
// what it redrew. Every iteration a new prognosis date, so the texts of the labels are new too.
void BM_AnalysisRefreshPainted(benchmark::State& state) {
    TShownWindow window;
    window.SetPrognosis(TShownWindow::First());
    QDateEdit* prognosis = window.Prognosis();
    TPaintCount paints(window.Form());
    int day = 0;
    for (auto _ : state) {
        prognosis->setDate(TShownWindow::First().addDays(++day % 20000));
        QApplication::processEvents();
    }
    state.counters["chart_paints"] =
        benchmark::Counter(paints.Count, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_AnalysisRefreshPainted)->Unit(benchmark::kMicrosecond);

// The first refresh a user runs in a new window, a change of the prognosis date to a day years
// from the start-up's, and the painting of what it drew: a new window each time.
void BM_FirstAnalysisRefresh(benchmark::State& state) {
    int painted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<TShownWindow>();
        const QDate far = TShownWindow::First().addYears(
            window->Prognosis()->date() == TShownWindow::First().addYears(14) ? 15 : 14);
        TPaintCount paints(window->Form());
        state.ResumeTiming();
        window->Prognosis()->setDate(far);
        QApplication::processEvents();
        state.PauseTiming();
        painted += paints.Count;
        window.reset();
        state.ResumeTiming();
    }
    state.counters["chart_paints"] =
        benchmark::Counter(painted, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FirstAnalysisRefresh)->Unit(benchmark::kMicrosecond);

// The yardstick of the refresh: the 992 long-double sines of its curves, four cycles of both
// persons on the 62 days of December 2026 and January 2027, once for the cycle charts and
// once for the average.
void BM_RefreshSines(benchmark::State& state) {
    const TDateTime first = *EncodeDate(2026, 12, 1);
    const TDateTime births[] = {*EncodeDate(1982, 12, 23), *EncodeDate(1983, 9, 29)};
    for (auto _ : state)
        for (int pass = 0; pass < 2; ++pass)
            for (const TDateTime birth : births)
                for (int day = 0; day < 62; ++day)
                    for (const long double factor : CycleFactors) {
                        long double x =
                            static_cast<long double>(DaysBetween(first + day, birth)) * factor;
                        benchmark::DoNotOptimize(x);
                        benchmark::DoNotOptimize(std::sin(x));
                    }
}
BENCHMARK(BM_RefreshSines)->Unit(benchmark::kMicrosecond);

} // namespace
