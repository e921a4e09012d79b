#pragma once

#include "acquisition/frame_hand_over.h"
#include "acquisition/port_handle.h"
#include "recording/display_settings.h"
#include "recording/recording_store.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace qv {

// The program-wide state that the windows share. One instance per run (and per test), so
// that every test can start from a fresh one. What crosses threads is atomic.
struct ProgramState {
    // 1 = idle (and, to a running receiver, the request to stop); 0 = reading.
    std::atomic<std::uint8_t> StopFlag{1};
    // The slot that the next committed frame fills.
    std::atomic<int> FrameCount{1};
    // The check mark of "Пониженная загрузка ЦП", read by the receiver in its polling cycles.
    std::atomic<bool> ReducedCpu{true};

    RecordingStore store;
    DisplaySettings settings;
    // The six graph series colours, 0x00BBGGRR.
    std::array<std::uint32_t, 6> SeriesColours{};

    // The one open serial port (or "SIM"), shared with the receiver and the timing check.
    PortHandle port;
    // Where the receiver hands frames over to the main thread's commit.
    FrameHandOver handOver;
    // True while a timing check measures; a second check is refused meanwhile.
    std::atomic<bool> TimingCheckRunning{false};
};

} // namespace qv
