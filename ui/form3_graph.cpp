#include "ui/form3_graph.h"
#include "ui/window_basics.h"

namespace qv {

TForm3::TForm3(QWidget* parent) : QWidget(parent) {
    SetUpFixedWindow(this, QStringLiteral("Граф 5"), 734, 344, 404, 136);
    hide();
}

// The graph itself comes with the graph window; until then these do nothing.
void TForm3::FollowMainFrame(int) {}
void TForm3::AfterDelete(int, int) {}
void TForm3::PlaybackStep() {}
void TForm3::CursorToFrame(int) {}
void TForm3::RestartOnRecording() {
    close();
    show();
}
void TForm3::FillSeriesLists(const QStringList&) {}
void TForm3::RefreshGraphLists(const QStringList&) {}
void TForm3::ReleaseBitmap() {}

} // namespace qv
