// The main window and the graph window: "Графики" and the graph operations the main window runs.
#include "ui/form1_main.h"
#include "ui/form3_graph.h"
#include "ui/window_basics.h"

namespace qv {

void TForm1::N8Click() {
    SetReadingStopped(true);
    if (RecordingLength() >= 5)
        ShowGraph();
    else
        services_.dialogs->Message(
            this, QStringLiteral("И что мы там хотим увидеть? Сначала считай не менее 5 кадров!"));
    FillSeriesLists();
}

void TForm1::GraphAfterDelete(int oldLength, int newLength) {
    if (Shown(windows_.form3)) windows_.form3->AfterDelete(oldLength, newLength);
}

bool TForm1::GraphPlaybackStep() {
    if (!Shown(windows_.form3)) return false;
    windows_.form3->PlaybackStep();
    return true;
}

void TForm1::GraphCursorToMainFrame() {
    if (Shown(windows_.form3)) windows_.form3->CursorToFrame(FramePosition());
}

void TForm1::GraphRestartAfterLoad() {
    if (!Shown(windows_.form3)) return;
    windows_.form3->RestartOnRecording();
    RefreshGraphLists();
}

void TForm1::ShowGraph() {
    if (windows_.form3) windows_.form3->show();
}

void TForm1::FillSeriesLists() {
    if (windows_.form3) windows_.form3->FillSeriesLists();
}

void TForm1::RefreshGraphLists() {
    if (windows_.form3) windows_.form3->RefreshGraphLists();
}

} // namespace qv
