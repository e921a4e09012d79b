#pragma once

#include <QStringList>
#include <QWidget>

namespace qv {

// The graph window. The main window reaches it only through the operations below.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // The main window's frame moved to `frame` (reading stopped): move the span and cursor.
    void FollowMainFrame(int frame);
    // A frame was deleted: the span list follows the new length, then the span handling runs.
    void AfterDelete(int oldLength, int newLength);
    // One playback step: cursor forward, or the span when the cursor is at its right end.
    void PlaybackStep();
    // A frame marker moved the main window to `frame`: put the cursor on it.
    void CursorToFrame(int frame);
    // A recording was loaded while the window is open: close and show it again.
    void RestartOnRecording();
    // Refill the six parameter lists from the panel's labels 1..22.
    void FillSeriesLists(const QStringList& labels);
    // Refill the lists keeping each selection, then redraw.
    void RefreshGraphLists(const QStringList& labels);
    // The program ends: release the drawing surface.
    void ReleaseBitmap();
};

} // namespace qv
