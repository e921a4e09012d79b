// The main window and the graph window: "Графики" and the graph operations the main window runs.
#include "ui/form1_main.h"
#include "ui/other_windows.h"
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
    if (TForm3* graph = Other<TForm3>(); Shown(graph)) graph->AfterDelete(oldLength, newLength);
}

bool TForm1::GraphPlaybackStep() {
    TForm3* graph = Other<TForm3>();
    if (!Shown(graph)) return false;
    graph->PlaybackStep();
    return true;
}

void TForm1::GraphCursorToMainFrame() {
    if (TForm3* graph = Other<TForm3>(); Shown(graph)) graph->CursorToFrame(FramePosition());
}

void TForm1::GraphRestartAfterLoad() {
    TForm3* graph = Other<TForm3>();
    if (!Shown(graph)) return;
    graph->RestartOnRecording();
    RefreshGraphLists();
}

void TForm1::ShowGraph() {
    if (TForm3* graph = Other<TForm3>()) graph->show();
}

void TForm1::FillSeriesLists() {
    if (TForm3* graph = Other<TForm3>()) graph->FillSeriesLists();
}

void TForm1::RefreshGraphLists() {
    if (TForm3* graph = Other<TForm3>()) graph->RefreshGraphLists();
}

} // namespace qv
