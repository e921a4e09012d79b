// The frame commit: a handed-over frame becomes the recording's next frame and is shown.
#include "app/reading_session.h"
#include "recording/frame_time.h"
#include "ui/form1_main.h"
#include "ui/shared_view.h"

#include <QTimer>

namespace qv {

void TForm1::Timer1Timer() {
    Timer1->stop();
    const double now = NowFrameTime();
    // Only the start-up tick commits without a handed-over frame: the receiver's untouched,
    // all-zero frame.
    if (std::exchange(startUpCommitPending_, false) && !state_.handOver.Pending()) {
        if (const int slot = session_.CommitStartUpFrame(now)) ShowCommittedFrame(slot);
        return;
    }
    const ReadingSession::Commit commit = session_.CommitNext(now);
    if (commit.slot == 0) return; // nothing to take (a frame of an abandoned run was dropped)
    ShowCommittedFrame(commit.slot);
    if (commit.storeFull) { // the session has ended the run; the recording is offered for saving
        SetReadingStopped(true);
        SaveRecording();
    } else if (state_.handOver.Pending()) {
        Timer1->start();
    }
}

void TForm1::ShowCommittedFrame(int n) {
    view_.SetLength(n);
    view_.SetFrame(n);
    MemoDraw(n);
    view_.RecordingChanged();
    if (session_.Reading()) ShowReadingNotice();
}

} // namespace qv
