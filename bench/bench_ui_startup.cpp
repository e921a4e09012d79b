// Start-up to the first frame on screen: the program's windows are created, the settings read,
// the main window shown, and the benchmark stops once the main window has painted the panel of
// the start-up frame (or of a recording given on the command line).
//
// Runs on any Qt platform; QT_QPA_PLATFORM=offscreen is used when none is set. The port list
// comes from a port system that offers only the simulated unit, so no serial device is probed.
#include "ui/form1_main.h"
#include "ui/quintovar_app.h"
#include "ui_bench_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace {

using namespace qv;
using namespace qv::bench;

double g_applicationMs = 0; // constructing QApplication, measured once in main

// Counts the paint events of one widget that arrive while the panel shows `wanted`.
class PaintWatch : public QObject {
public:
    PaintWatch(QTextEdit* memo, QString wanted) : memo_(memo), wanted_(std::move(wanted)) {
        memo_->viewport()->installEventFilter(this);
    }
    bool painted() const { return painted_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && memo_->toPlainText().contains(wanted_))
            painted_ = true;
        return false;
    }

private:
    QTextEdit* memo_;
    QString wanted_;
    bool painted_ = false;
};

// One start-up of the program; returns the milliseconds until the wanted panel was painted.
double StartUpOnce(const QStringList& arguments, const QString& wanted) {
    QTemporaryDir dir;
    UiServices services;
    services.portSystem = std::make_shared<SimulatedOnlyPorts>();
    services.dialogs = std::make_shared<SilentDialogs>();
    services.settingsPath = dir.filePath(QStringLiteral("settings.ini"));
    services.arguments = arguments;
    services.closePauseMs = 0;

    QElapsedTimer clock;
    clock.start();
    auto app = std::make_unique<QuintovarApp>(services);
    app->StartUp();
    PaintWatch watch(app->Window<TForm1>()->Memo2, wanted);
    while (!watch.painted()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        if (clock.elapsed() > 10000) throw std::runtime_error("the first frame never appeared");
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    app.reset();
    QCoreApplication::processEvents();
    return ms;
}

void Report(benchmark::State& state, const QStringList& arguments, const QString& wanted) {
    for (auto _ : state) {
        const double ms = StartUpOnce(arguments, wanted);
        state.SetIterationTime(ms / 1000.0);
    }
}

// The very first start-up in the process: fonts and styles are loaded here, as in a fresh
// program. `qapplication_ms` is the construction of QApplication before it.
void BM_FirstStartUpInProcess(benchmark::State& state) {
    Report(state, {}, QStringLiteral("1 / 1"));
    state.counters["qapplication_ms"] = g_applicationMs;
}
BENCHMARK(BM_FirstStartUpInProcess)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// Later start-ups: the windows, settings and start-up frame alone.
void BM_StartUpToFirstFrame(benchmark::State& state) {
    Report(state, {}, QStringLiteral("1 / 1"));
}
BENCHMARK(BM_StartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

// Started with the demo recording: the file is opened 200 ms after start, by design, so this
// is that pause plus loading the recording and drawing the frame it shows (its last).
void BM_StartUpWithDemoRecording(benchmark::State& state) {
    const QString demo = QStringLiteral(QV_SOURCE_DIR "/samples/demo.kvr");
    Report(state, {demo}, QStringLiteral("200 / 200"));
}
BENCHMARK(BM_StartUpWithDemoRecording)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const auto before = std::chrono::steady_clock::now();
    QApplication application(argc, argv);
    g_applicationMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before)
            .count();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
