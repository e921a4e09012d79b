#pragma once

#include "app/program_state.h"
#include "ui/render/graph_picture.h"
#include "ui/ui_services.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSlider;
class QToolButton;

namespace qv {

class Dialogs;
class GraphImage;
class SharedView;

// The graph window: up to six parameters of the recording as curves over a span of frames, a
// cursor frame coupled both ways with the frame on screen, and the values at the cursor. The
// recording's length, the frame on screen and the choice of series are the shared view's; the
// main window reaches this window only through the operations in the first block.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(const WindowParts& parts);
    ~TForm3() override;

    // --- Operations of the main window -----------------------------------------------------
    // A frame was deleted: the span list follows the new length, then the span handling runs.
    void AfterDelete(int oldLength, int newLength);
    // One playback step: cursor forward, or the span when the cursor is at its right end.
    void PlaybackStep();
    // A frame marker moved the main window to `frame`: put the cursor on it.
    void CursorToFrame(int frame);
    // A recording was loaded while the window is open: close and show it again.
    void RestartOnRecording();
    // Refill the six parameter lists with the panel's parameter and flag labels (the series rows)
    // under the current display settings, no series selected.
    void FillSeriesLists();
    // Refill the lists keeping each series' choice, then redraw.
    void RefreshGraphLists();
    // The program ends: release the drawing surface.
    void ReleasePictures();

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
    // The picture with its legend and the span's ends, from Image1's context menu: into a PNG
    // file ("Сохранить картинку…") or onto the clipboard ("Копировать картинку", Ctrl+C).
    void SavePictureClick();
    void CopyPictureClick();

    // --- Operations ----------------------------------------------------------------------
    void ApplySeriesColours();
    void RedrawGraph(int first);

    // --- State -----------------------------------------------------------------------------
    int GraphSpan = 0;
    // The text colour of SpeedButton n (index n, 1..6; index 0 unused): the series colour.
    std::array<QColor, GraphSeriesCount + 1> SpeedButtonColour{};
    // The picture as the renderer holds it (Image1 shows the copy made after each change).
    const QImage& GraphBitmap() const;
    // That picture with the legend of the series drawn and the frame numbers and times of the
    // span's ends.
    QImage LabelledGraphPicture() const;

    // --- Controls (index = the control's number; unused indices hold nullptr) ------------------
    std::array<QToolButton*, 7> SpeedButton{};
    std::array<QComboBox*, 9> ComboBox{}; // 1..6 the parameter lists, 8 the span list
    std::array<QLabel*, 34> Label{};      // 1, 2, 9..33
    QPushButton* Button1 = nullptr;       // "-1"
    QPushButton* Button2 = nullptr;       // "+1"
    QSlider* TrackBar1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    GraphImage* Image1 = nullptr;
    QAction* SavePicture = nullptr; // Image1's context menu
    QAction* CopyPicture = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    // The one place that connects the controls, and the shared view, to their handlers.
    void ConnectHandlers();
    // The user changed list n: the series draws the picked item, or the item whose text the
    // list shows.
    void SeriesListChanged(int n);
    // The frame on screen moved (reading stopped): the span and cursor move onto it.
    void FollowSharedFrame();
    void SetSeriesLabels();
    SeriesChoices Choices() const;
    void RebuildSpanList(int length);
    // Shows a span of `span` frames (2..length) around the frame on screen; the span list
    // shows the span when `showSpan`.
    void ApplySpan(int span, bool showSpan);
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

    // Holds the frame on screen while an operation moves the span and the cursor in several
    // steps; the operation writes the frame once at its end (or the frame itself is the mover).
    class MainFrameHold {
    public:
        explicit MainFrameHold(int& counter) : counter_(counter) { ++counter_; }
        ~MainFrameHold() { --counter_; }
        MainFrameHold(const MainFrameHold&) = delete;
        MainFrameHold& operator=(const MainFrameHold&) = delete;

    private:
        int& counter_;
    };

    ProgramState& state_;
    SharedView& view_;
    std::shared_ptr<Dialogs> dialogs_;
    std::unique_ptr<GraphRenderer> renderer_;
    SeriesTextSet labels_;
    QColor lastDialogColour_ = Qt::black;
    int holdMainFrame_ = 0; // > 0 while the main window's frame must not be written
};

} // namespace qv
