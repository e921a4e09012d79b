#pragma once

#include "app/program_state.h"
#include "ui/render/graph_picture.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSlider;
class QToolButton;

namespace qv {

class Dialogs;
class GraphImage;
class TForm1;

// The graph window: up to six parameters of the recording as curves over a span of frames, a
// cursor frame coupled both ways with the main window's frame, and the values at the cursor.
// The main window reaches it only through the operations in the first block.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    TForm3(ProgramState& state, std::shared_ptr<Dialogs> dialogs, QWidget* parent = nullptr);
    ~TForm3() override;

    // The main window whose frame scroll bar holds the recording's length and the frame on
    // screen. Until it is attached the window has no recording to show.
    void AttachMainWindow(TForm1* mainWindow);

    // --- Operations of the main window -----------------------------------------------------
    // The main window's frame moved (reading stopped): move the span and cursor onto it.
    void FollowMainFrame(int frame);
    // A frame was deleted: the span list follows the new length, then the span handling runs.
    void AfterDelete(int oldLength, int newLength);
    // One playback step: cursor forward, or the span when the cursor is at its right end.
    void PlaybackStep();
    // A frame marker moved the main window to `frame`: put the cursor on it.
    void CursorToFrame(int frame);
    // A recording was loaded while the window is open: close and show it again.
    void RestartOnRecording();
    // Refill the six parameter lists from the panel's labels 1..22, no series selected.
    void FillSeriesLists(const QStringList& labels);
    // Refill the lists keeping each selection, then redraw.
    void RefreshGraphLists(const QStringList& labels);
    // The program ends: release the drawing surface.
    void ReleaseBitmap();

    // --- Handlers ----------------------------------------------------------------------------
    void FormCreate();
    void FormShow();
    void FormClose();
    void ComboBox1Change(); // shared by the six parameter lists
    void ComboBox4Change(); // the span list ComboBox8
    void ScrollBar1Change();
    void TrackBar1Change();
    void Button1Click();
    void Button2Click();
    void SpeedButtonClick(int n); // SpeedButton1Click..SpeedButton6Click

    // --- Operations ----------------------------------------------------------------------
    void ApplySeriesColours();
    void RedrawGraph(int first);

    // --- State -----------------------------------------------------------------------------
    int GraphSpan = 0;
    // The text colour of SpeedButton n (index n, 1..6; index 0 unused): the series colour.
    std::array<QColor, GraphSeriesCount + 1> SpeedButtonColour{};
    // The series list index that series n draws: the selected item, or the item whose text the
    // list shows; -1 for none.
    int SelectedRow(int n) const;
    // The picture as the renderer holds it (Image1 shows the copy made after each change).
    const QImage& GraphBitmap() const;

    // --- Controls (index = the control's number; unused indices hold nullptr) ------------------
    std::array<QToolButton*, 7> SpeedButton{};
    std::array<QComboBox*, 9> ComboBox{}; // 1..6 the parameter lists, 8 the span list
    std::array<QLabel*, 34> Label{};      // 1, 2, 9..33
    QPushButton* Button1 = nullptr;       // "-1"
    QPushButton* Button2 = nullptr;       // "+1"
    QSlider* TrackBar1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    GraphImage* Image1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void ConnectHandlers();
    void SetSeriesLabels();
    SeriesChoices Choices() const;
    void RebuildSpanList(int length);
    // The span handling for the text of the span list. A text that is not a whole number is
    // reported when the user typed it (`typed`); otherwise, or when the old span no longer fits
    // the recording, the span in force is kept within the recording's length.
    void ApplySpan(bool typed);
    // Editing of the span list ended: a number shows as the span it gave (a typed "1" as 2).
    void ShowSpanInForce();
    void ShowPicture();
    // The main window's frame := frame, unless the window is hidden or the main window is the
    // one that is moving (its frame is then the given one).
    void SetMainFrame(int frame);
    int MainFrame() const;
    int MainLength() const;
    int SpanStart() const;
    int Cursor() const;

    ProgramState& state_;
    std::shared_ptr<Dialogs> dialogs_;
    TForm1* main_ = nullptr;
    std::unique_ptr<GraphRenderer> renderer_;
    SeriesTextSet labels_;
    QColor lastDialogColour_ = Qt::black;
    int holdMainFrame_ = 0; // > 0 while the main window's frame must not be written
};

} // namespace qv
