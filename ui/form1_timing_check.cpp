// The timing check, "Проверить производительность", and its report.
#include "acquisition/reading_notices.h"
#include "acquisition/timing_check.h"
#include "ui/form1_main.h"
#include "ui/receiver_link.h"
#include "ui/window_basics.h"

#include <QComboBox>
#include <QTimer>

namespace qv {

// The timing check (menu "Проверить производительность") measures on its own thread; its
// report reaches this thread by a queued call that starts Timer3. A click while a check still
// measures starts nothing; a new check joins the thread of the one before, which has ended.
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
    callbacks.noCounter = [link, this] {
        link->Post([this] { SetInfo(QString::fromUtf8(NoCounterText)); });
    };
    if (services_.startTimingCheck) {
        services_.startTimingCheck(state_, DecimalSeparator(), std::move(callbacks));
    } else if (std::thread check =
                   StartTimingCheck(state_, DecimalSeparator(), std::move(callbacks));
               check.joinable()) {
        if (timingCheck_.joinable()) timingCheck_.join();
        timingCheck_ = std::move(check);
    }
}

void TForm1::Timer3Timer() {
    Timer3->stop();
    services_.dialogs->Message(this, TimingReport);
}

} // namespace qv
