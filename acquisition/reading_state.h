#pragma once

#include "acquisition/frame_hand_over.h"
#include "acquisition/port_handle.h"

#include <atomic>
#include <cstdint>

namespace qv {

// What the receiver and the timing check share with the main thread: the stop request, the
// slot of the next frame, the open port and the hand-over. What crosses threads is atomic. In
// the programs only the reading session (app/reading_session.h) writes StopFlag and FrameCount.
struct ReadingState {
    // 1 = idle (and, to a running receiver, the request to stop); 0 = reading.
    std::atomic<std::uint8_t> StopFlag{1};
    // The slot that the next committed frame fills.
    std::atomic<int> FrameCount{1};
    // The check mark of "Пониженная загрузка ЦП", read by the receiver in its polling cycles.
    std::atomic<bool> ReducedCpu{true};

    // The one open serial port (or "SIM"), shared with the receiver and the timing check.
    PortHandle port;
    // Where the receiver hands frames over to the main thread's commit.
    FrameHandOver handOver;
    // True while a timing check measures; a second check is refused meanwhile.
    std::atomic<bool> TimingCheckRunning{false};
};

} // namespace qv
