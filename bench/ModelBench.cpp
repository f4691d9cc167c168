#include "model/Charts.h"
#include "model/Shared.h"
#include "widgets/ImageCanvas.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

void SetUpCouple() {
    Prognose.SetPrognoseDate(*EncodeDate(2026, 12, 7));
    Prognose.Man.SetBirthDate(*EncodeDate(1982, 12, 23));
    Prognose.Woman.SetBirthDate(*EncodeDate(1983, 9, 29));
}

void BM_UpdateAll(benchmark::State& state) {
    SetUpCouple();
    for (auto _ : state) {
        Prognose.UpdateAll();
        benchmark::DoNotOptimize(Prognose.Man.GoodDay);
        benchmark::DoNotOptimize(Prognose.Woman.BadDay);
    }
}
BENCHMARK(BM_UpdateAll);

// The five charts of a refresh: grids, then both persons' four cycle curves and average.
void BM_FiveChartsBothPersons(benchmark::State& state) {
    SetUpCouple();
    Prognose.UpdateAll();
    std::array<QImage, 5> images;
    for (QImage& image : images)
        image = QImage(580, 80, QImage::Format_RGB32);
    for (auto _ : state) {
        for (std::size_t chart = 0; chart < images.size(); ++chart) {
            TImageCanvas canvas(images[chart]);
            DrawChartGrid(canvas);
            for (const TDatalogging* person : {&Prognose.Man, &Prognose.Woman}) {
                if (chart < 4)
                    DrawCycleCurve(*person, canvas, AllCycles[chart]);
                else
                    DrawAverageCurve(*person, canvas);
            }
        }
        benchmark::DoNotOptimize(images[4].constBits());
    }
}
BENCHMARK(BM_FiveChartsBothPersons)->Unit(benchmark::kMicrosecond);

} // namespace
