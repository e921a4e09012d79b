#pragma once

#include "acquisition/reading_state.h"
#include "recording/display_settings.h"
#include "recording/recording_store.h"

#include <array>
#include <cstdint>

namespace qv {

// The program-wide state that the windows and the companion share: the reading (port, stop
// request, hand-over) together with the recording and how it is shown. One instance per run
// (and per test), so that every test can start from a fresh one.
struct ProgramState : ReadingState {
    RecordingStore store;
    DisplaySettings settings;
    // The six graph series colours, 0x00BBGGRR.
    std::array<std::uint32_t, 6> SeriesColours{};
};

} // namespace qv
