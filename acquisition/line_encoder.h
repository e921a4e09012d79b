#pragma once

#include "acquisition/line_recording.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

// A stretch of a byte sent at the wrong level: the line is inverted from FromBits to ToBits
// bit periods after the start edge of byte `Byte` (0 the first). A stretch over a start or
// stop bit makes a framing fault; a short one in the stop bits, a false start edge.
struct LineGlitch {
    int Byte = 0;
    double FromBits = 0;
    double ToBits = 0;
};

// What a frame of the engine unit looks like on the line.
struct EncodedFrame {
    // Levels of the header's bit cells after the falling edge that starts the frame (cell 0 is
    // that edge's low cell); must end at level 1 before the bytes begin.
    std::vector<int> HeaderCells = DefaultHeaderCells();
    std::vector<std::uint8_t> Bytes; // normally 12; more to simulate a longer frame
    double IdleBitsBefore = 20;      // level-1 bit periods before the frame's falling edge
    std::vector<LineGlitch> Glitches;

    // The header as this program's simulated unit sends it: identifier 1001 1001 1001.
    static std::vector<int> DefaultHeaderCells();
};

struct LineTiming {
    std::int64_t BitNs = 8'200'000; // the unit's bit period
    std::int64_t JitterNs = 0;      // each edge moves by up to ± this much
    std::uint64_t JitterSeed = 1;
    double HeaderBits = 14; // bytes start this many bit periods after the frame start
};

// Appends frames to a line, starting at `startNs` (which must be later than the last change):
// idle at level 1, the header, then every byte back to back as a start bit (0), eight data
// bits least significant first and two stop bits (1). Returns the end time (the line is at
// level 1 again). An empty recording starts at level 1.
std::int64_t AppendFrame(LineRecording& line, std::int64_t startNs, const EncodedFrame& frame,
                         const LineTiming& timing);

// A whole line from several frames; it stays at level 1 after the last.
LineRecording EncodeLine(const std::vector<EncodedFrame>& frames, const LineTiming& timing = {});

} // namespace qv
