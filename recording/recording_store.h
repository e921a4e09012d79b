#pragma once

#include "recording/line_frame.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

constexpr int MaxFrames = 2000;
// Data bytes 1..10 are stored as bytes; bytes 11 and 12 as their bits.
constexpr int AnalogByteCount = 10;

// One stored frame. Array indices are 0-based: Analog[0] is data byte 1, Identifier[0] is
// header sample 1, Flags11[k] is bit k of data byte 11.
struct FrameRow {
    std::array<std::uint8_t, AnalogByteCount> Analog{};
    std::array<std::uint8_t, HeaderSampleCount> Identifier{};
    std::array<std::uint8_t, SamplesPerByte> Flags11{};
    std::array<std::uint8_t, SamplesPerByte> Flags12{};
    double FrameTime = 0.0; // days since 30 December 1899, local time
    std::uint8_t EndFlag = 0;

    bool operator==(const FrameRow&) const = default;
};

// The stored bits of data byte 11 or 12, bit 0 first; throws std::out_of_range for another byte.
const std::array<std::uint8_t, SamplesPerByte>& FlagByteBits(const FrameRow& row, int byte);
// Data byte `byte` (1..12) of a stored frame; throws std::out_of_range for another byte.
std::uint8_t DataByte(const FrameRow& row, int byte);

// The in-memory recording: MaxFrames rows numbered 1..MaxFrames, preallocated and zero-filled.
// The recording's length is not kept here: the windows share it (SharedView, which their frame
// scroll bars follow), the companion takes it from the file it reads.
class RecordingStore {
public:
    RecordingStore();

    static bool IsValidFrame(int n) { return n >= 1 && n <= MaxFrames; }

    // Row n, 1 <= n <= MaxFrames; throws std::out_of_range otherwise.
    FrameRow& Row(int n);
    const FrameRow& Row(int n) const;

    // Rows n + 1..length move down by one (delete-frame); row `length` keeps its contents.
    void DeleteFrame(int n, int length);

private:
    std::vector<FrameRow> rows_;
};

// The row a frame becomes when committed: its bytes 1..10, identifier and the bits of bytes 11
// and 12, the commit time and the frame's end flag.
FrameRow RowOfFrame(const LineFrame& frame, double frameTime, std::uint8_t endFlag);
// The commit's data steps: row n becomes that row.
void CommitFrameData(RecordingStore& store, int n, const LineFrame& frame, double frameTime,
                     std::uint8_t endFlag);

} // namespace qv
