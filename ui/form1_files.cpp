#include "ui/form1_main.h"
#include "ui/form6_comment.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

namespace qv {

void TForm1::N2Click() {
    LoadRecording(QString());
}

void TForm1::N3Click() {
    SaveRecording();
}

void TForm1::Timer2Timer() {
    Timer2->stop();
    if (!services_.arguments.isEmpty()) LoadRecording(services_.arguments.constFirst());
}

void TForm1::Wait(int milliseconds) {
    if (milliseconds <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

QStringList TForm1::CommentLines() const {
    return windows_.form6 ? windows_.form6->CommentLines() : QStringList();
}

void TForm1::SaveRecording() {
    SetReadingStopped(true);
    do { // a pending commit must not change the store while it is written
        QApplication::processEvents();
        Wait(100);
    } while (Timer1->isActive());
    const std::optional<SaveChoice> choice = services_.dialogs->AskSaveFile(this, saveSuffix_);
    if (!choice) return;
    // The recording file writer lands with the files module.
    (void)choice;
}

void TForm1::LoadRecording(const QString& fileName) {
    SetReadingStopped(true);
    QString name = fileName;
    if (name.isEmpty()) {
        const std::optional<QString> chosen = services_.dialogs->AskOpenFile(this);
        if (!chosen) return;
        name = *chosen;
    }
    // The recording file reader lands with the files module.
}

void TForm1::LoadSettings() {
    // Defaults until the settings file module lands.
    state_.settings = DisplaySettings{};
    N3S1->setChecked(false);
    N1GGTE1->setChecked(false);
    N1JZGTE1->setChecked(false);
    N14->setChecked(false);
    N24->setChecked(false);
    N27->setChecked(true);
    state_.ReducedCpu = true;
    state_.SeriesColours.fill(0);
}

bool TForm1::SaveSettings() {
    return true;
}

} // namespace qv
