// The graph window's cursor: moved by the user, by playback and by the frame on screen.
#include "ui/form3_graph.h"
#include "ui/window_basics.h"

#include <QLabel>
#include <QScrollBar>
#include <QSlider>

namespace qv {

void TForm3::TrackBar1Change() {
    if (!renderer_) return;
    const int frame = SpanStart() + Cursor();
    MoveCursor(*renderer_, state_.store, {SpanStart(), GraphSpan, Cursor()}, Choices(),
               state_.settings, DecimalSeparator(), labels_);
    SetMainFrame(frame);
    for (int n = 1; n <= GraphSeriesCount; ++n)
        SetLabelText(Label[n + 8], labels_[static_cast<std::size_t>(n - 1)].value);
    SetLabelText(Label[1], QString::number(frame));
    ShowPicture();
}

void TForm3::Button1Click() {
    if (Cursor() > TrackBar1->minimum()) TrackBar1->setValue(Cursor() - 1);
}

void TForm3::Button2Click() {
    if (Cursor() < TrackBar1->maximum()) TrackBar1->setValue(Cursor() + 1);
}

void TForm3::FollowSharedFrame() {
    // The frame on screen moved: it is the one to show, so the span and cursor follow it
    // without writing it back halfway.
    const MainFrameHold hold(holdMainFrame_);
    const int frame = MainFrame();
    if (frame < SpanStart()) ScrollBar1->setValue(frame);
    if (SpanStart() + TrackBar1->maximum() < frame)
        ScrollBar1->setValue(frame - TrackBar1->maximum());
    TrackBar1->setValue(frame - SpanStart());
}

void TForm3::CursorToFrame(int frame) {
    TrackBar1->setValue(frame - SpanStart());
}

void TForm3::PlaybackStep() {
    if (Cursor() == TrackBar1->maximum())
        ScrollBar1->setValue(SpanStart() + 1);
    else
        TrackBar1->setValue(Cursor() + 1);
}

} // namespace qv
