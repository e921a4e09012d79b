#include "ui/form8_cable.h"
#include "acquisition/cable_check.h"
#include "app/program_state.h"
#include "ui/window_basics.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace qv {

namespace {

const QString StartCaption = QStringLiteral("Начать проверку");
const QString StopCaption = QStringLiteral("Остановить проверку");

QTimer* MakeTimer(QObject* parent, int interval, bool singleShot) {
    auto* timer = new QTimer(parent);
    timer->setInterval(interval);
    timer->setSingleShot(singleShot);
    return timer;
}

} // namespace

TForm8::TForm8(const WindowParts& parts) : port_(parts.state.port) {
    SetUpFixedWindow(this, QStringLiteral("Проверка кабеля на инверсию"), 400, 224, 300, 200);

    Label1 = new QLabel(this);
    Label1->setGeometry(8, 8, 104, 170);
    Label1->setAlignment(Qt::AlignCenter);
    QFont digitFont = ProgramFont(133, true);
    Label1->setFont(digitFont);
    Label1->setForegroundRole(QPalette::WindowText);
    QPalette maroon = Label1->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    Label1->setPalette(maroon);

    int top = 16;
    for (const char* line : CableCheckInstructions()) {
        if (*line) {
            auto* text = new QLabel(QString::fromUtf8(line), this);
            text->setFont(ProgramFont(13, true));
            text->setGeometry(128, top, 264, 18);
        }
        top += 20;
    }

    Button1 = new QPushButton(StartCaption, this);
    Button1->setGeometry(128, 188, 264, 28);
    Button1->setFont(ProgramFont(13, true));

    Timer1 = MakeTimer(this, CableCheckTickMs, false);
    DigitTimer = MakeTimer(this, CableCheckBlankMs, true);
    ReturnTimer = MakeTimer(this, CableCheckReturnMs, true);

    connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(Timer1, &QTimer::timeout, this, &TForm8::Timer1Timer);
    connect(DigitTimer, &QTimer::timeout, this, &TForm8::ShowDigit);
    connect(ReturnTimer, &QTimer::timeout, this, &TForm8::closed);
    FormCreate();
    hide();
}

void TForm8::FormCreate() {
    running_ = false;
    Label1->setText(QStringLiteral("0"));
    Timer1->stop();
}

void TForm8::Open() {
    show();
    raise();
    activateWindow();
}

void TForm8::Button1Click() {
    if (running_) {
        StopCheck();
        return;
    }
    running_ = true;
    Button1->setText(StopCaption);
    Timer1->start();
}

void TForm8::StopCheck() {
    running_ = false;
    Button1->setText(StartCaption);
    Timer1->stop();
}

void TForm8::Timer1Timer() {
    // A failed read (no port open) counts as all lines off.
    std::uint32_t word = 0;
    if (!port_.GetModemStatus(word)) word = 0;
    lastWord_ = word;
    Label1->setText(QStringLiteral(" "));
    // The blank stays for a moment so that every read is seen, without blocking the window.
    DigitTimer->start();
}

void TForm8::ShowDigit() {
    Label1->setText(QString::fromStdString(CableCheckDigit(lastWord_)));
}

void TForm8::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    FormClose();
}

void TForm8::FormClose() {
    StopCheck();
    ReturnTimer->start();
}

} // namespace qv
