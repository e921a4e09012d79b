#pragma once

#include "recording/line_frame.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

constexpr int MaxFrames = 2000;

// One stored frame. Array indices are 0-based: Analog[0] is data byte 1, Identifier[0] is
// header sample 1, Flags11[k] is bit k of data byte 11.
struct FrameRow {
    std::array<std::uint8_t, 10> Analog{};
    std::array<std::uint8_t, 12> Identifier{};
    std::array<std::uint8_t, 8> Flags11{};
    std::array<std::uint8_t, 8> Flags12{};
    double FrameTime = 0.0; // days since 30 December 1899, local time
    std::uint8_t EndFlag = 0;

    bool operator==(const FrameRow&) const = default;
};

// The in-memory recording: MaxFrames rows numbered 1..MaxFrames, preallocated and zero-filled.
// The recording's length is kept by the main window (its frame scroll bar), not here.
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

// The commit's data steps: row n receives the frame's bytes 1..10, identifier, the bits of
// bytes 11 and 12 and the commit time. EndFlag is left to the caller.
void CommitFrameData(RecordingStore& store, int n, const LineFrame& frame, double frameTime);
// The row those steps give (end flag 0).
FrameRow RowOfFrame(const LineFrame& frame, double frameTime);

} // namespace qv
