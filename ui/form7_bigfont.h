#pragma once

#include "recording/panel.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace qv {

class TForm1;

// The big-font window: the frame on screen in large type, with copies of the main window's
// start/stop and play buttons, information field and frame scroll bar.
class TForm7 : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(TForm1* mainWindow, QWidget* parent = nullptr);

    // MemoDraw's refresh for frame n while this window is visible.
    void RefreshFromPanel(const PanelLines& lines, int n, int length);
    // The program ends: release the flag pictures.
    void ReleasePictures();

    void Button2Click();
    void Button3Click();
    void ScrollBar1Change();
    void FormShow();
    void FormClose();

    QLineEdit* Edit1 = nullptr;
    QPushButton* Button2 = nullptr; // start/stop
    QPushButton* Button3 = nullptr; // play
    QScrollBar* ScrollBar1 = nullptr;
    QLabel* Label33 = nullptr;
    QLabel* Label34 = nullptr; // frame label, "n / length"

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    TForm1* main_;
};

} // namespace qv
