#include "cli/CommandLine.h"
#include "model/Shared.h"
#include "platform/ProgramFolder.h"
#include "report/Calendar.h"
#include "report/CoupleReport.h"
#include "report/ReportFormat.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {

const TDateTime Day = *EncodeDate(2026, 12, 7);

// `orvanta report` for two persons and 365 days, everything but the process start: the
// arguments, the settings file, the model, the figures and the text of the report.
void BM_ReportCommand365Days(benchmark::State& state, const char* format) {
    const QStringList arguments{"orvanta", "report",     "--man",    "1982-12-23",
                                "--woman", "1983-09-29", "--date",   "2026-12-07",
                                "--days",  "365",        "--format", format};
    for (auto _ : state) {
        const TCommandResult result = RunCommand(arguments, Day);
        benchmark::DoNotOptimize(result.Out.data());
    }
}
BENCHMARK_CAPTURE(BM_ReportCommand365Days, text, "text")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReportCommand365Days, json, "json")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReportCommand365Days, csv, "csv")->Unit(benchmark::kMillisecond);

// The calendar the export writes by default: the charted months and 12 after them.
void BM_CalendarFourteenMonthsBothPersons(benchmark::State& state) {
    const TCouple couple{*EncodeDate(1982, 12, 23), *EncodeDate(1983, 9, 29)};
    const TCalendarSpan span = *CalendarSpan(Day, 12);
    for (auto _ : state) {
        const std::string text = CalendarText(CalendarEvents(couple, 0, span, TCycleSet::All()),
                                              std::chrono::sys_seconds{});
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_CalendarFourteenMonthsBothPersons)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // A program folder of its own, without a settings file: the defaults.
    const QTemporaryDir folder;
    ProgramFolder = folder.path() + QLatin1Char('/');
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
