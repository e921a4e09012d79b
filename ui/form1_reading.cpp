#include "acquisition/reading_notices.h"
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
        if (const int last = session_.End(RunEnd::Stop, NowFrameTime()).lastSlot)
            ShowCommittedFrame(last);
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
    session_.Start(NowLocalDateTime(), N24->isChecked(), *this);
    CloseWindowsForReading();
    SetReadingStopped(false);
    if (TForm6* comment = Other<TForm6>()) comment->ClearComment();
    RecordingInFile(true);
    SetInfo(ReadingText);
    droppedBefore_ = state_.handOver.DroppedFrames();
    QuietTimer->start();
}

void TForm1::Post(std::function<void()> task) {
    receiverLink_->Post(std::move(task));
}

void TForm1::FrameHandedOver() {
    Timer1->start();
}

void TForm1::LineRead(AcquisitionMode mode, ThreadPriorityLevel priority) {
    ComboBox1->setToolTip(PortHint + QLatin1Char('\n') +
                          QString::fromStdString(AcquisitionText(mode, priority)));
    if (priority != ThreadPriorityLevel::TimeCritical && !priorityNoticeShown_) {
        priorityNoticeShown_ = true;
        services_.dialogs->Notice(this, QString::fromStdString(LowPriorityText()));
    }
}

void TForm1::RunEnded(const RunEnding& ending) {
    if (ending.lastSlot != 0) ShowCommittedFrame(ending.lastSlot);
    if (ending.cause == RunEnd::NoCounter) { // the window stays in its reading state until "Стоп"
        SetInfo(QString::fromUtf8(NoCounterText));
        return;
    }
    SetReadingStopped(true);
    SetInfo(QStringLiteral("Чтение остановлено...."));
    if (ending.cause == RunEnd::DeviceLost)
        services_.dialogs->Error(this, QString::fromStdString(DeviceLostText(ending.port)),
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
