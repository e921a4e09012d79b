#pragma once

#include "acquisition/simulated_line.h"

#include <cstdint>

namespace qv {

struct ProgramState;

struct SimulatedReading {
    std::uint64_t seed = SimulatedUnitSeed;
    int frames = 200;       // how many frames to record, 1..MaxFrames
    double startTime = 0.0; // the FrameTime of virtual time 0
    std::int64_t ticksPerSecond = 1'000'000;
    std::int64_t pollNs = 20'000;
};

// Reads the simulated unit on virtual time the way "Читать" reads a port: FrameCount := 1, the
// straight-cable receiver over the unit's line, and every handed-over frame committed into
// slot FrameCount as the commit timer does, stamped startTime + the virtual moment of its
// commit, so that the same reading always gives the same recording. Stops after
// `reading.frames` commits (or, should the line stop giving frames, after ten seconds of
// virtual time a frame). Returns the recording's length: the number of frames committed (0
// for a frame count outside 1..MaxFrames, when nothing is read).
int ReadSimulatedUnit(ProgramState& state, const SimulatedReading& reading);

} // namespace qv
