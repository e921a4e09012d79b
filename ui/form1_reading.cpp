#include "acquisition/reading_notices.h"
#include "acquisition/receiver_thread.h"
#include "app/reading_keeper.h"
#include "app/reading_session.h"
#include "recording/frame_time.h"
#include "ui/form1_main.h"
#include "ui/other_windows.h"
#include "ui/receiver_link.h"
#include "ui/shared_view.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace qv {

namespace {
const QString ReadingText = QStringLiteral("Идёт считывание....");
const QString PortHint = QStringLiteral("Com port");
} // namespace

void TForm1::SetReadingStopped(bool stopped) {
    // Only the reading session starts a run (Button1Click); here a run ends, and the controls
    // follow the session's state.
    if (stopped)
        if (const int last = session_.Stop(NowFrameTime())) ShowCommittedFrame(last);
    stopped = !session_.Reading();
    if (stopped) QuietTimer->stop();
    ComboBox1->setEnabled(stopped);
    N1->menuAction()->setEnabled(stopped);
    N19->menuAction()->setEnabled(stopped);
    N6->menuAction()->setEnabled(stopped);
    N8->setEnabled(stopped);
    N12->setEnabled(stopped);
    N13->setEnabled(stopped);
    Button5->setEnabled(stopped);
    Button6->setEnabled(stopped);
    view_.SetReading(!stopped);
}

void TForm1::Button1Click() {
    if (view_.Reading()) {
        SetReadingStopped(true);
        SetInfo(QStringLiteral("Чтение остановлено...."));
        return;
    }
    if (ComboBox1->currentText().isEmpty()) {
        services_.dialogs->Message(this, QStringLiteral("Надо бы порт выбрать"));
        return;
    }
    if (!SaveChangesFirst()) return;
    if (state_.port.IsOpen()) lastPort_ = ComboBox1->currentText();
    const std::uint64_t generation = session_.Start(NowLocalDateTime());
    CloseWindowsForReading();
    SetReadingStopped(false);
    if (TForm6* comment = Other<TForm6>()) comment->ClearComment();
    RecordingInFile(true);
    StartReceiver(generation);
    SetInfo(ReadingText);
    droppedBefore_ = state_.handOver.DroppedFrames();
    QuietTimer->start();
}

void TForm1::StartReceiver(std::uint64_t generation) {
    const std::shared_ptr<ReceiverLink> link = receiverLink_;
    const int run = ++readingRun_;
    ReceiverCallbacks callbacks;
    callbacks.frameReady = [link, this] { link->Post([this] { FrameReadyQueued(); }); };
    callbacks.noCounter = [link, this] { link->Post([this] { NoCounterQueued(); }); };
    callbacks.acquisition = [link, this, run](AcquisitionMode mode, ThreadPriorityLevel priority) {
        link->Post([this, run, mode, priority] { AcquisitionQueued(run, mode, priority); });
    };
    callbacks.deviceLost = [link, this, run] {
        link->Post([this, run] { DeviceLostQueued(run); });
    };
    callbacks.finished = [link] { link->ReceiverFinished(); };
    link->ReceiverStarted();
    if (services_.startReceiver)
        services_.startReceiver(state_, generation, N24->isChecked(), std::move(callbacks));
    else
        qv::StartReceiver(state_, generation, N24->isChecked(), std::move(callbacks));
}

void TForm1::FrameReadyQueued() {
    Timer1->start();
}

void TForm1::NoCounterQueued() {
    SetInfo(QStringLiteral("Однако не хотит:)"));
}

void TForm1::AcquisitionQueued(int run, AcquisitionMode mode, ThreadPriorityLevel priority) {
    if (run != readingRun_) return;
    ComboBox1->setToolTip(PortHint + QLatin1Char('\n') +
                          QString::fromStdString(AcquisitionText(mode, priority)));
    if (priority != ThreadPriorityLevel::TimeCritical && !priorityNoticeShown_) {
        priorityNoticeShown_ = true;
        services_.dialogs->Notice(this, QString::fromStdString(LowPriorityText()));
    }
}

void TForm1::DeviceLostQueued(int run) {
    if (run != readingRun_ || !session_.Reading()) return;
    PortHandle& port = state_.port;
    const std::string name = port.IsOpen() ? port.PortName() : std::string();
    SetReadingStopped(true);
    port.ReleasePort();
    SetInfo(QStringLiteral("Чтение остановлено...."));
    services_.dialogs->Error(this, QString::fromStdString(DeviceLostText(name)),
                             QStringLiteral("Ошибка"));
}

void TForm1::QuietLineTimeout() {
    if (session_.Reading()) SetInfo(QString::fromStdString(QuietLineText()));
}

void TForm1::ShowReadingNotice() {
    const std::uint64_t dropped = state_.handOver.DroppedFrames() - droppedBefore_;
    QString text = ReadingText;
    if (dropped != 0) text += QLatin1Char(' ') + QString::fromStdString(DroppedFramesText(dropped));
    // Only the notices of reading are replaced; any other text stays until the next one.
    const QString& shown = view_.Info();
    if (shown != text &&
        (shown.startsWith(ReadingText) || shown == QString::fromStdString(QuietLineText())))
        SetInfo(text);
    QuietTimer->start();
}

void TForm1::KeeperNoticeQueued(const QString& text) {
    services_.dialogs->Notice(this, text);
}

void TForm1::ReadingsRecoveredQueued(const QString& text, const QString& details) {
    SetInfo(text);
    SetInfoHint(details);
}

void TForm1::ReadingKeptQueued(const QString& path) {
    SetInfoHint(QString::fromStdString(KeptText(path.toStdString())));
}

} // namespace qv
