#pragma once

#include "recording/big_font_rows.h"
#include "recording/panel.h"
#include "ui/ui_services.h"

#include <QImage>
#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace qv {

class SharedView;

// The big-font window: the frame on screen in large type, with copies of the main window's
// start/stop and play buttons, information field and frame scroll bar. The copies show the
// shared view; the buttons ask the main window to act.
class TForm7 : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(const WindowParts& parts);
    // It carries the start/stop button and replaces the main window while it is open.
    static constexpr bool StaysOpenForReading = true;

    // MemoDraw's refresh while this window is visible: the panel's lines of the frame on
    // screen and that frame's row.
    void RefreshFromPanel(const PanelLines& lines, const FrameRow& row);
    // The program ends: release the flag pictures.
    void ReleasePictures();

    // Draw the set ("1") or clear ("0") picture into the picture named `name`
    // ("Image1".."Image12").
    void Draw1(const QString& name);
    void Draw0(const QString& name);

    void FormCreate();
    void Button2Click();
    void Button3Click();
    void ScrollBar1Change();
    void FormShow();
    void FormClose();

    std::array<QLabel*, BigFontParameterRows> NameLabels{};  // Label1..Label10
    std::array<QLabel*, BigFontParameterRows> ValueLabels{}; // Label11..Label20
    std::array<QLabel*, BigFontFlagRows> Images{};           // Image1..Image12
    std::array<QLabel*, BigFontFlagRows> FlagLabels{};       // Label21..Label32
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button2 = nullptr; // start/stop
    QPushButton* Button3 = nullptr; // play
    QScrollBar* ScrollBar1 = nullptr;
    QLabel* Label33 = nullptr;
    QLabel* Label34 = nullptr; // frame label, "n / length"

signals:
    void startStopPressed(); // the main window's start/stop runs
    void playPressed();      // the main window's playback runs
    void shown();            // the main window shows the frame as if its scroll bar had moved
    void closed();           // the main window comes back

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    // The one place that connects the controls, and the shared view, to their handlers.
    void ConnectHandlers();
    void DrawPicture(const QString& name, const QImage& picture);

    SharedView& view_;
    QImage set_;
    QImage clear_;
};

} // namespace qv
