// Opening a recording whose comment or sample column holds one very long line, as the main
// window does: the file is read and parsed, the recording applied, the comment window shown,
// and the benchmark stops once the comment window (or the main window) has been painted.
//
// Runs on any Qt platform; QT_QPA_PLATFORM=offscreen is used when none is set.
#include "files/recording_file.h"
#include "ui/form1_main.h"
#include "ui/form6_comment.h"
#include "ui/quintovar_app.h"

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

class NoPorts : public PortSystem {
public:
    std::unique_ptr<PortDevice> Open(const std::string&) override { return nullptr; }
    bool Probe(const std::string&) override { return false; }
    std::vector<std::string> Candidates() override { return {}; }
};

class SilentDialogs : public Dialogs {
public:
    void Message(QWidget*, const QString&) override {}
    void Error(QWidget*, const QString&, const QString&) override {}
    std::optional<SaveChoice> AskSaveFile(QWidget*, const QString&) override { return {}; }
    std::optional<QString> AskOpenFile(QWidget*) override { return {}; }
    std::optional<QColor> AskColour(QWidget*, const QColor&) override { return {}; }
};

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

// A 20-frame recording whose comment (or first sample row) is one line of `bytes` Cyrillic
// and Latin letters, with a short comment line after it.
std::string WriteRecording(const QTemporaryDir& dir, LongLine where, std::size_t bytes) {
    RecordingDocument document;
    document.frames.resize(20);
    std::string line;
    line.reserve(bytes);
    while (line.size() < bytes) line += (line.size() % 64 == 0) ? " " : "абвгд efgh";
    if (where == LongLine::Comment)
        document.comment = {line, "конец"};
    else
        document.samples[0] = {line};
    const std::string path = dir.filePath(QStringLiteral("long.kvr")).toStdString();
    if (!SaveRecordingFile(path, document).ok()) throw std::runtime_error("cannot save");
    return path;
}

void OpenLongLine(benchmark::State& state, LongLine where) {
    QTemporaryDir dir;
    const std::string path = WriteRecording(dir, where, static_cast<std::size_t>(state.range(0)));
    UiServices services;
    services.portSystem = std::make_shared<NoPorts>();
    services.dialogs = std::make_shared<SilentDialogs>();
    services.settingsPath = dir.filePath(QStringLiteral("settings.ini"));
    services.closePauseMs = 0;
    auto app = std::make_unique<QuintovarApp>(services);
    app->StartUp();
    app->Form1()->show();
    if (where == LongLine::Sample) app->Form1()->N13Click(); // the sample columns on screen
    QCoreApplication::processEvents();
    for (auto _ : state) {
        app->Form6()->ClearComment();
        app->Form6()->hide();
        QCoreApplication::processEvents();
        PaintWatch watch(where == LongLine::Comment ? app->Form6()->Memo1->viewport()
                                                    : app->Form1()->Memo3->viewport());
        QElapsedTimer clock;
        clock.start();
        app->Form1()->LoadRecording(QString::fromStdString(path));
        while (!watch.painted) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (clock.elapsed() > 300000) throw std::runtime_error("never painted");
        }
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_OpenLongCommentLine(benchmark::State& state) {
    OpenLongLine(state, LongLine::Comment);
}
BENCHMARK(BM_OpenLongCommentLine)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(5'000'000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_OpenLongSampleLine(benchmark::State& state) {
    OpenLongLine(state, LongLine::Sample);
}
BENCHMARK(BM_OpenLongSampleLine)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(5'000'000)
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
