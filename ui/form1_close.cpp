#include "ui/form1_main.h"
#include "ui/input_blocker.h"

#include <QApplication>
#include <QCloseEvent>
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
    if (!closing_ && SaveChangesFirst()) FormClose();
}

void TForm1::FormClose() {
    if (closing_) return; // a second close while the first one waits
    closing_ = true;
    // The windows go on painting during the pause but take no input: a reading, a dialog or a
    // setting started now would be cut short or lost when the program ends.
    closingInputBlock_ = std::make_unique<InputBlocker>();
    SetReadingStopped(true);
    Timer4->stop();
    SetInfo(QStringLiteral("Закрываемся"));
    QApplication::processEvents();
    SaveSettings(); // a failure is reported there; the program still closes
    Wait(services_.closePauseMs);
    // The receiver ends within about 115 ms of the stop and the timing check within a second:
    // by the end of the pause both have returned.
    JoinThreads();
    ReleasePictures();
    closeDone_ = true;
    hide();
    emit closed();
}

void TForm1::Wait(int milliseconds) {
    if (milliseconds <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace qv
