#include "acquisition/timing_check.h"
#include "ui/form1_main.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"
#include "ui/form6_comment.h"
#include "ui/form7_bigfont.h"
#include "ui/form8_cable.h"
#include "ui/input_blocker.h"
#include "ui/receiver_link.h"
#include "ui/window_basics.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

namespace qv {

void TForm1::N4Click() {
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (closeDone_) { // the program is ending
        event->accept();
        return;
    }
    event->ignore();
    FormClose();
}

void TForm1::FormClose() {
    if (closing_) return; // a second close while the first one waits
    closing_ = true;
    // The windows go on painting during the pause but take no input: a reading, a dialog or a
    // setting started now would be cut short or lost when the program ends.
    closingInputBlock_ = std::make_unique<InputBlocker>();
    state_.StopFlag = 1;
    Timer4->stop();
    SetInfo(QStringLiteral("Закрываемся"));
    QApplication::processEvents();
    SaveSettings(); // a failure is reported there; the program still closes
    Wait(services_.closePauseMs);
    ReleasePictures();
    closeDone_ = true;
    hide();
    emit closed();
}

void TForm1::N8Click() {
    state_.StopFlag = 1;
    if (RecordingLength() >= 5)
        ShowGraph();
    else
        services_.dialogs->Message(
            this, QStringLiteral("И что мы там хотим увидеть? Сначала считай не менее 5 кадров!"));
    FillSeriesLists();
}

void TForm1::N9Click() {
    state_.StopFlag = 1;
    if (windows_.form4) windows_.form4->Open();
}

void TForm1::N26Click() {
    state_.StopFlag = 1;
    if (windows_.form5) windows_.form5->Open();
}

void TForm1::N28Click() {
    if (windows_.form6) windows_.form6->show();
}

void TForm1::N31Click() {
    hide();
    if (windows_.form7) windows_.form7->show();
}

// The timing check (menu "Проверить производительность") measures on its own thread; its
// report reaches this thread by a queued call that starts Timer3. A click while a check still
// measures starts nothing.
void TForm1::N25Click() {
    if (ComboBox1->currentText().isEmpty()) {
        services_.dialogs->Message(this, QStringLiteral("Сначала выбери порт."));
        return;
    }
    const std::shared_ptr<ReceiverLink> link = receiverLink_;
    TimingCheckCallbacks callbacks;
    callbacks.reportReady = [link, this](const std::string& report) {
        link->Post([this, text = QString::fromStdString(report)] {
            TimingReport = text;
            Timer3->start();
        });
    };
    callbacks.noCounter = [link, this] { link->Post([this] { NoCounterQueued(); }); };
    if (services_.startTimingCheck)
        services_.startTimingCheck(state_, DecimalSeparator(), std::move(callbacks));
    else
        StartTimingCheck(state_, DecimalSeparator(), std::move(callbacks));
}

void TForm1::Timer3Timer() {
    Timer3->stop();
    services_.dialogs->Message(this, TimingReport);
}

// The cable check (menu "Проверить кабель на инверсию").
void TForm1::N32Click() {
    if (ComboBox1->currentText().isEmpty()) {
        services_.dialogs->Message(this, QStringLiteral("Надо бы порт выбрать"));
        return;
    }
    hide();
    if (windows_.form8) windows_.form8->Open();
}

} // namespace qv
