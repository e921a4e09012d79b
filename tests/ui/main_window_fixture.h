#pragma once

#include "fake_backend.h"
#include "ui_test_support.h"

#include "ui/form6_comment.h"
#include "ui/form7_bigfont.h"

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
        backend = std::make_shared<FakeBackend>();
        dialogs = std::make_shared<ScriptedDialogs>();
        UiServices services;
        services.backend = backend;
        services.dialogs = dialogs;
        services.settingsPath = dir.filePath(QStringLiteral("QuintovarByTrelm52.ini"));
        services.closePauseMs = 0;
        services.arguments = arguments;
        app = std::make_unique<QuintovarApp>(services);
        app->StartUp();
        form = app->Form1();
        form->Timer1Timer(); // the start-up commit, as Timer1's first tick
    }

    void TearDown() override { app.reset(); }

    ProgramState& state() { return app->State(); }

    // Commits a frame as the receiver would hand it over (reading must be running).
    void CommitFrame(const LineFrame& frame, std::uint8_t endFlag = 0) {
        backend->frames.push_back({frame, endFlag});
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
        form->ScrollBar1->setMaximum(length);
        form->ScrollBar1->setValue(position);
        form->MemoDraw(position);
        state().FrameCount = length + 1;
    }

    QString PanelValue(int row) { return MemoLines(form->Memo2).value(row); }
    QString PanelLabel(int row) { return MemoLines(form->Memo1).value(row); }

    QTemporaryDir dir;
    QStringList arguments;
    std::shared_ptr<FakeBackend> backend;
    std::shared_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<QuintovarApp> app;
    TForm1* form = nullptr;
};

} // namespace qv::test
