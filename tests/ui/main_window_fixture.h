#pragma once

#include "fake_ports.h"
#include "ui_test_support.h"

#include "ui/form6_comment.h"
#include "ui/form7_bigfont.h"
#include "ui/shared_view.h"
#include "ui/window_basics.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

namespace qv::test {

// A started program on a fake port layer, with scripted dialogs and a private settings file.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ports = std::make_shared<FakePortSystem>();
        for (const std::string& name : absentPorts) ports->openable.erase(name);
        dialogs = std::make_shared<ScriptedDialogs>();
        UiServices services;
        services.portSystem = ports;
        services.startReceiver = [this](ReadingState&, std::uint64_t run, bool inverted,
                                        ReceiverCallbacks cb) {
            generation = run;
            receiversStarted.push_back(inverted);
            receiverCallbacks = cb;
            startedCallbacks.push_back(std::move(cb));
            return std::thread();
        };
        services.startTimingCheck = timingCheckStarter; // empty: the real check
        services.dialogs = dialogs;
        services.settingsPath = dir.filePath(QStringLiteral("QuintovarByTrelm52.ini"));
        services.closePauseMs = closePauseMs;
        services.arguments = arguments;
        services.documentsFolder = dir.filePath(QStringLiteral("Документы"));
        services.readingsFolder = readingsFolder;
        app = std::make_unique<QuintovarApp>(services);
        app->StartUp();
        form = app->Window<TForm1>();
        form->Timer1Timer(); // the start-up commit, as Timer1's first tick
    }

    void TearDown() override { app.reset(); }

    ProgramState& state() { return app->State(); }

    // Hands a frame over as the receiver of the run does (outside a run, as one of an earlier
    // run), then lets the commit timer run as its tick would.
    void CommitFrame(const LineFrame& frame, std::uint8_t endFlag = 0) {
        if (generation == 0 || !state().handOver.IsCurrent(generation))
            generation = state().handOver.BeginRun();
        ASSERT_TRUE(state().handOver.Publish(generation, frame.DataSamples, frame.HeaderSamples,
                                             endFlag, state().FrameCount));
        form->Timer1Timer();
    }

    // A recording of `length` frames whose byte 1 is the frame number; frame `position` shown.
    void MakeRecording(int length, int position) {
        for (int n = 1; n <= length; ++n) {
            FrameRow& row = state().store.Row(n);
            row = FrameRow{};
            row.Analog[0] = static_cast<std::uint8_t>(n);
            row.Identifier[11] = static_cast<std::uint8_t>(n % 2);
            row.Flags12[3] = static_cast<std::uint8_t>((n + 1) % 2);
            row.EndFlag = static_cast<std::uint8_t>(n % 2);
        }
        app->View().SetLength(length);
        form->ScrollBar1->setValue(position);
        form->MemoDraw(position);
        app->Session().RecordingReplaced(length);
    }

    QString PanelValue(int row) { return MemoLines(form->Memo2).value(row); }
    QString PanelLabel(int row) { return MemoLines(form->Memo1).value(row); }

    QTemporaryDir dir;
    QStringList arguments;
    int closePauseMs = 0;                  // set before SetUp for a real pause at closing
    std::set<std::string> absentPorts;     // set before SetUp for ports that are gone
    QString readingsFolder;                // set before SetUp to keep readings there
    TimingCheckStarter timingCheckStarter; // set before SetUp to replace the timing check
    std::shared_ptr<FakePortSystem> ports;
    std::vector<bool> receiversStarted;  // `inverted` of each receiver start
    ReceiverCallbacks receiverCallbacks; // of the latest start
    std::vector<ReceiverCallbacks> startedCallbacks;
    std::uint64_t generation = 0;
    std::shared_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<QuintovarApp> app;
    TForm1* form = nullptr;
};

} // namespace qv::test
