// The graph picture: a full redraw of six series over a 2000-frame span and one cursor move.
#include "ui/render/graph_picture.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

namespace qv {
namespace {

// A full recording. "noisy": every byte random, so that every segment is long and steep (the
// worst case). Otherwise a drive-like recording: slow waves with a little noise.
std::unique_ptr<RecordingStore> Recording(bool noisy) {
    auto store = std::make_unique<RecordingStore>();
    std::mt19937 random(7);
    for (int n = 1; n <= MaxFrames; ++n) {
        FrameRow& row = store->Row(n);
        for (std::size_t p = 0; p < row.Analog.size(); ++p) {
            const double wave = 128 + 90 * std::sin(n / (40.0 + 9 * p) + p);
            row.Analog[p] = static_cast<std::uint8_t>(
                noisy ? random() % 256 : static_cast<unsigned>(wave) + random() % 8);
        }
        for (std::size_t b = 0; b < 8; ++b) row.Flags12[b] = (n / (30 + b)) % 2;
    }
    return store;
}

SeriesChoices SixSeries() {
    SeriesChoices series;
    const int rows[GraphSeriesCount] = {0, 1, 3, 4, 5, 21};
    for (int n = 0; n < GraphSeriesCount; ++n)
        series[n] = {true, rows[n], QColor::fromHsv(60 * n, 255, 200)};
    return series;
}

void BM_FullRedrawSixSeries2000(benchmark::State& state) {
    const auto store = Recording(state.range(0) != 0);
    const SeriesChoices series = SixSeries();
    GraphRenderer renderer;
    const DisplaySettings settings;
    for (auto _ : state) {
        auto labels = RedrawPicture(renderer, *store, {1, MaxFrames, 1000}, series, settings, ",");
        benchmark::DoNotOptimize(labels);
        benchmark::DoNotOptimize(renderer.GraphBitmap().constBits());
    }
    state.SetLabel(state.range(0) ? "noisy" : "drive-like");
}
BENCHMARK(BM_FullRedrawSixSeries2000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CursorMoveSixValues(benchmark::State& state) {
    const auto store = Recording(true);
    const SeriesChoices series = SixSeries();
    GraphRenderer renderer;
    const DisplaySettings settings;
    auto labels = RedrawPicture(renderer, *store, {1, MaxFrames, 0}, series, settings, ",");
    int cursor = 0;
    for (auto _ : state) {
        cursor = (cursor + 1) % MaxFrames;
        MoveCursor(renderer, *store, {1, MaxFrames, cursor}, series, settings, ",", labels);
        benchmark::DoNotOptimize(labels);
    }
}
BENCHMARK(BM_CursorMoveSixValues)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace qv

BENCHMARK_MAIN();
