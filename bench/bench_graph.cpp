// The graph picture: a full redraw of six series over a 2000-frame span and one cursor move;
// the live graph's redraw for one committed frame.
#include "acquisition/line_health.h"
#include "thread_time.h"
#include "ui/render/graph_picture.h"
#include "ui/render/live_picture.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
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

// What the live window does for each committed frame while it is open: the line's health
// (summary, text and marks over a full run's tally), the scene of six series and twelve lanes
// over the span ending at the newest frame, and its drawing into the window's picture (the
// drawing area of the window at its first size). Reported: the median and the 99th percentile
// of single redraws.
void BM_LiveRedrawPerFrame(benchmark::State& state) {
    const auto store = Recording(false);
    LineHealthTally tally;
    for (int slot = 1; slot <= MaxFrames; ++slot)
        tally.Add(slot, {slot > 1 ? 1.4 + (slot % 97 == 0 ? 3.0 : 0.0) : 0, slot % 53 == 0});
    LiveChoices choices;
    const int parameters[LiveSeriesCount] = {4, 1, 7, 6, 2, 5};
    for (int n = 0; n < LiveSeriesCount; ++n)
        choices.series[n] = {parameters[n], n < 2 ? LiveScale::Data : LiveScale::Full};
    choices.flags.fill(true);
    choices.span = static_cast<int>(state.range(0));
    const DisplaySettings settings;
    // The window's fonts: 11 and 13 pixels, as the program's font falls back on this machine.
    QFont font(QStringLiteral("DejaVu Sans Condensed")), bold = font;
    font.setPixelSize(11);
    bold.setPixelSize(13);
    bold.setBold(true);
    LiveTexts texts(font), values(bold);
    QImage picture(960, 506, QImage::Format_RGB32);
    LiveScene scene;
    std::vector<LiveMark> marks;
    std::vector<double> seconds, cpuSeconds;
    int newest = choices.span ? choices.span : MaxFrames;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = bench::ThreadCpuSeconds();
        const LineHealthSummary health = tally.Summary();
        tally.Marks(1, newest, marks);
        const LiveSceneInput input{*store,
                                   newest,
                                   newest,
                                   newest,
                                   false,
                                   choices,
                                   settings,
                                   ",",
                                   marks,
                                   LineHealthText(health, ","),
                                   LineHealthHint(health),
                                   picture.width(),
                                   picture.height(),
                                   texts.LineHeight(),
                                   texts.Widths()};
        BuildLiveScene(input, scene);
        DrawLiveScene(picture, scene, texts, values);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
        cpuSeconds.push_back(bench::ThreadCpuSeconds() - cpuStart);
        if (choices.span && ++newest > MaxFrames) newest = choices.span; // the next frame
    }
    const auto percentile = [](std::vector<double>& values, double p) {
        std::sort(values.begin(), values.end());
        return 1e3 * values[static_cast<std::size_t>(p * double(values.size() - 1))];
    };
    state.counters["p50_ms"] = percentile(seconds, 0.5);
    state.counters["p99_ms"] = percentile(seconds, 0.99);
    state.counters["cpu_p50_ms"] = percentile(cpuSeconds, 0.5);
    state.counters["cpu_p99_ms"] = percentile(cpuSeconds, 0.99);
    state.SetLabel(choices.span ? "span 200, newest frame moving" : "all 2000 frames");
}
BENCHMARK(BM_LiveRedrawPerFrame)->Arg(200)->Arg(0)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qv

// The live graph's texts need Qt's fonts: a window-less application.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
