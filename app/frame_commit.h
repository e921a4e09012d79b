#pragma once

#include "acquisition/line_health.h"
#include "app/program_state.h"

namespace qv {

// The commit timer's interval: a handed-over frame is committed about this long after it came.
constexpr int CommitDelayMs = 30;

// The data part of the frame commit: takes the oldest handed-over frame and writes it, with
// `frameTime` and its end flag, into row FrameCount. Returns that slot, or 0 when nothing was
// pending or FrameCount lies outside 1..MaxFrames (the frame is then dropped). FrameCount is
// not advanced here: ReadingSession::CommitNext, the one commit of the program, advances it.
// `health`, when given, gets the committed frame's health.
int CommitHandedOverFrame(ProgramState& state, double frameTime, FrameHealth* health = nullptr);

} // namespace qv
