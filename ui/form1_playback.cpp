// Playing the recording back, one frame a second.
#include "ui/form1_main.h"
#include "ui/shared_view.h"

#include <QTimer>

namespace qv {

void TForm1::Button6Click() {
    if (Timer4->isActive()) {
        Timer4->stop();
        view_.SetPlaying(false);
        return;
    }
    if (FramePosition() == RecordingLength()) {
        SetInfo(QStringLiteral("Что проигравать то?"));
        return;
    }
    view_.SetPlaying(true);
    Timer4->start();
}

void TForm1::Timer4Timer() {
    if (FramePosition() == RecordingLength()) {
        Timer4->stop();
        view_.SetPlaying(false);
        return;
    }
    if (GraphPlaybackStep()) return;
    view_.SetFrame(FramePosition() + 1);
}

} // namespace qv
