// The summary of a full recording: computed alone, and as the open "Сводка" window refreshes
// after each committed frame of a reading (computed, laid out and put into its tables).
//
// Runs on any Qt platform; QT_QPA_PLATFORM=offscreen is used when none is set.
#include "recording/recording_summary.h"
#include "ui/form10_summary.h"
#include "ui/quintovar_app.h"
#include "ui/shared_view.h"
#include "ui_bench_support.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>

namespace {

using namespace qv;
using namespace qv::bench;

void FillRecording(RecordingStore& store) {
    std::mt19937 random(2000);
    for (int n = 1; n <= MaxFrames; ++n) {
        FrameRow& row = store.Row(n);
        for (auto& byte : row.Analog) byte = static_cast<std::uint8_t>(random());
        for (auto& bit : row.Flags11) bit = random() & 1u;
        for (auto& bit : row.Flags12) bit = random() & 1u;
        row.FrameTime = (36000.0 + n * 1.25) / 86400.0;
    }
}

void BM_SummarizeRecording(benchmark::State& state) {
    auto store = std::make_unique<RecordingStore>();
    FillRecording(*store);
    for (auto _ : state) {
        RecordingSummary summary = SummarizeRecording(*store, MaxFrames, {}, ",");
        benchmark::DoNotOptimize(summary);
    }
}
BENCHMARK(BM_SummarizeRecording)->Unit(benchmark::kMicrosecond);

void BM_SummaryWindowRefresh(benchmark::State& state) {
    QTemporaryDir dir;
    UiServices services;
    services.portSystem = std::make_shared<SimulatedOnlyPorts>();
    services.dialogs = std::make_shared<SilentDialogs>();
    services.settingsPath = dir.filePath(QStringLiteral("settings.ini"));
    services.closePauseMs = 0;
    auto app = std::make_unique<QuintovarApp>(services);
    app->StartUp();
    FillRecording(app->State().store);
    app->View().SetLength(MaxFrames);
    TForm10* summary = app->Window<TForm10>();
    summary->Open();
    QCoreApplication::processEvents();
    for (auto _ : state) summary->Refresh();
}
BENCHMARK(BM_SummaryWindowRefresh)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
