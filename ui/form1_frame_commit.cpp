// The frame commit: a handed-over frame becomes the recording's next frame and is shown.
#include "app/frame_commit.h"
#include "recording/frame_time.h"
#include "ui/form1_main.h"
#include "ui/shared_view.h"

#include <QTimer>

namespace qv {

void TForm1::Timer1Timer() {
    const int n = state_.FrameCount;
    if (!RecordingStore::IsValidFrame(n)) { // a commit never writes outside the store
        Timer1->stop();
        return;
    }
    const double now = NowFrameTime();
    if (CommitHandedOverFrame(state_, now) == 0) {
        // Only the start-up tick commits without a handed-over frame: the receiver's untouched,
        // all-zero frame. A later tick with nothing to take (a frame of an abandoned run was
        // dropped) commits nothing.
        if (!startUpCommitPending_) {
            Timer1->stop();
            return;
        }
        CommitFrameData(state_.store, n, LineFrame{}, now);
    }
    startUpCommitPending_ = false;
    view_.SetLength(n);
    view_.SetFrame(n);
    MemoDraw(n);
    state_.FrameCount = n + 1;
    Timer1->stop();
    if (state_.StopFlag == 0) ShowReadingNotice();
    if (state_.handOver.Pending() && state_.FrameCount <= MaxFrames) Timer1->start();
    if (state_.FrameCount > MaxFrames) {
        SetReadingStopped(true);
        SaveRecording();
    }
}

} // namespace qv
