// Opening a recording whose comment or sample column holds one very long line, as the main
// window does: the file is read and parsed, the recording applied, the comment window shown,
// and the benchmark stops once the comment window (or the main window) has been painted.
//
// Runs on any Qt platform; QT_QPA_PLATFORM=offscreen is used when none is set.
#include "files/recording_file.h"
#include "ui/form1_main.h"
#include "ui/form6_comment.h"
#include "ui/quintovar_app.h"
#include "ui_bench_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace {

using namespace qv;
using namespace qv::bench;

// Notes the first paint of a widget's viewport.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* viewport) { viewport->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

enum class LongLine { Comment, Sample };

// A 20-frame recording whose comment (with a short line after it) or first sample row is one
// line of `bytes` bytes of Cyrillic and Latin letters without a blank.
std::string WriteRecording(const QTemporaryDir& dir, LongLine where, std::size_t bytes) {
    RecordingDocument document;
    document.frames.resize(20);
    std::string line;
    line.reserve(bytes);
    while (line.size() < bytes) line += "абвгдefgh"; // no blank: the worst case to lay out
    if (where == LongLine::Comment)
        document.comment = {line, "конец"};
    else
        document.samples[0] = {line};
    const std::string path = dir.filePath(QStringLiteral("long.kvr")).toStdString();
    if (!SaveRecordingFile(path, document).ok()) throw std::runtime_error("cannot save");
    return path;
}

// Arguments: where the long line is (0 the comment, 1 a sample column) and its length.
void BM_OpenLongLine(benchmark::State& state) {
    const LongLine where = state.range(0) == 0 ? LongLine::Comment : LongLine::Sample;
    QTemporaryDir dir;
    const std::string path = WriteRecording(dir, where, static_cast<std::size_t>(state.range(1)));
    UiServices services;
    services.portSystem = std::make_shared<SimulatedOnlyPorts>();
    services.dialogs = std::make_shared<SilentDialogs>();
    services.settingsPath = dir.filePath(QStringLiteral("settings.ini"));
    services.closePauseMs = 0;
    auto app = std::make_unique<QuintovarApp>(services);
    app->StartUp();
    app->Window<TForm1>()->show();
    if (where == LongLine::Sample)
        app->Window<TForm1>()->N13Click(); // the sample columns on screen
    QCoreApplication::processEvents();
    for (auto _ : state) {
        app->Window<TForm6>()->ClearComment();
        app->Window<TForm6>()->hide();
        QCoreApplication::processEvents();
        PaintWatch watch(where == LongLine::Comment ? app->Window<TForm6>()->Memo1->viewport()
                                                    : app->Window<TForm1>()->Memo3->viewport());
        QElapsedTimer clock;
        clock.start();
        app->Window<TForm1>()->LoadRecording(QString::fromStdString(path));
        while (!watch.painted) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (clock.elapsed() > 300000) throw std::runtime_error("never painted");
        }
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
    state.SetBytesProcessed(state.iterations() * state.range(1));
}

BENCHMARK(BM_OpenLongLine)
    ->ArgsProduct({{0, 1}, {100'000, 1'000'000, 5'000'000}})
    ->ArgNames({"sample", "bytes"})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
