// The main window's side of the other windows: it runs their operations while they are open,
// and one place connects their requests to its handlers.
#include "ui/form1_main.h"
#include "ui/form3_graph.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"
#include "ui/form6_comment.h"
#include "ui/form7_bigfont.h"
#include "ui/form8_cable.h"

namespace qv {

namespace {

bool Shown(const QWidget* window) {
    return window && window->isVisible();
}

} // namespace

void TForm1::AttachWindows(const OtherWindows& windows) {
    windows_ = windows;
    if (TForm7* big = windows_.form7) {
        connect(big, &TForm7::startStopPressed, this, &TForm1::Button1Click);
        connect(big, &TForm7::playPressed, this, &TForm1::Button6Click);
        connect(big, &TForm7::shown, this, &TForm1::ScrollBar1Change);
        connect(big, &TForm7::closed, this, [this] {
            show();
            MemoDraw(FramePosition());
        });
    }
    if (windows_.form8) connect(windows_.form8, &TForm8::closed, this, [this] { show(); });
}

void TForm1::CloseWindowsForReading() {
    for (QWidget* window : std::initializer_list<QWidget*>{windows_.form3, windows_.form4,
                                                           windows_.form5, windows_.form6})
        if (window) window->close();
}

void TForm1::BigFontRefresh(int n, const PanelLines& lines) {
    if (Shown(windows_.form7)) windows_.form7->RefreshFromPanel(lines, state_.store.Row(n));
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

void TForm1::ReleasePictures() {
    if (windows_.form3) windows_.form3->ReleaseBitmap();
    if (windows_.form7) windows_.form7->ReleasePictures();
}

} // namespace qv
