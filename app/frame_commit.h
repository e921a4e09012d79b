#pragma once

#include "app/program_state.h"

namespace qv {

// The data part of the frame commit, run by the commit timer on the main thread: takes the oldest
// handed-over frame and writes it, with `frameTime` and its end flag, into row FrameCount.
// Returns that slot, or 0 when nothing was pending or FrameCount lies outside 1..MaxFrames
// (the frame is then dropped). FrameCount is NOT advanced: the caller shows the frame and
// sets FrameCount to the slot + 1. Call again while state.handOver.Pending().
int CommitHandedOverFrame(ProgramState& state, double frameTime);

} // namespace qv
