#pragma once

#include "ui/ui_services.h"

#include <QWidget>

#include <cstdint>

class QLabel;
class QPushButton;
class QTimer;

namespace qv {

class PortHandle;

// The cable polarity check: shows ten times a second whether the port's modem-status word is
// non-zero ("1") or zero ("0"), while the user puts +5 V on the cable's Vf1 wire.
class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(const WindowParts& parts);
    // It is opened only while no reading runs, and hides the main window meanwhile.
    static constexpr bool StaysOpenForReading = true;

    // Shows the window in the idle state (the digit as it was last shown).
    void Open();

    void FormCreate();
    void Button1Click();
    void Timer1Timer();
    void FormClose();

    QLabel* Label1 = nullptr; // the digit
    QPushButton* Button1 = nullptr;
    QTimer* Timer1 = nullptr;      // a status read every 100 ms while running
    QTimer* DigitTimer = nullptr;  // single shot: the digit 30 ms after the blank
    QTimer* ReturnTimer = nullptr; // single shot: the main window back 500 ms after closing

signals:
    // The window was closed and the pause has passed: the main window comes back.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void StopCheck();
    void ShowDigit();

    PortHandle& port_;
    bool running_ = false;
    std::uint32_t lastWord_ = 0;
};

} // namespace qv
