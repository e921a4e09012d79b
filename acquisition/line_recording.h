#pragma once

#include <cstdint>
#include <vector>

namespace qv {

// A change of the line level at a time in nanoseconds.
struct LevelChange {
    std::int64_t TimeNs = 0;
    int Level = 1;
};

// A recorded (or synthetic) line: the first change is the level at time 0, times strictly
// ascend, and the line keeps its last level after the last change.
struct LineRecording {
    std::vector<LevelChange> Changes;

    // The level at time t (ns); `cursor` speeds up ascending queries (start it at 0).
    int LevelAt(std::int64_t timeNs, std::size_t& cursor) const;
    std::int64_t LastChangeNs() const { return Changes.empty() ? 0 : Changes.back().TimeNs; }
};

} // namespace qv
