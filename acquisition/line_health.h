#pragma once

#include "recording/live_graph.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// How cleanly one frame came over the line, as the receiver saw it. Counting changes nothing
// the receiver hands over: a frame is never rejected for it.
struct FrameHealth {
    // Seconds from the previous frame's start edge to this one's (a frame the hand-over had to
    // drop counts as the previous one too); 0 for the first frame of a run.
    double SincePrevious = 0;
    // How many of the twelve bytes had a start bit that was not 0 at its middle, or a first stop
    // bit that was not 1 at its middle (framing faults).
    int FramingFaults = 0;
};

// The line's health over a run of reading.
struct LineHealthSummary {
    int Frames = 0;
    int FaultyFrames = 0;       // frames with at least one framing fault
    int MissingFrames = 0;      // frames that should have come in intervals over 1.5 x the median
    double MeanInterval = 0;    // seconds between frames, over the run; 0 below two frames
    double LongestInterval = 0; // seconds
    bool operator==(const LineHealthSummary&) const = default;
};

// The run's frames' health, in the order they were committed (main thread only).
class LineHealthTally {
public:
    void Clear() { frames_.clear(); }
    // Frame `slot` of the recording came with `health`.
    void Add(int slot, const FrameHealth& health) { frames_.push_back({slot, health}); }

    struct Entry {
        int Slot = 0;
        FrameHealth Health;
    };
    const std::vector<Entry>& Frames() const { return frames_; }
    LineHealthSummary Summary() const;

    // Frame `slot` was deleted from the recording: its entry goes, and the later frames' slots
    // move down with their rows.
    void FrameDeleted(int slot);
    // The frames of slots first..last that came with framing faults or after missing frames, in
    // slot order, into `marks`.
    void Marks(int first, int last, std::vector<LiveMark>& marks) const;

private:
    std::vector<Entry> frames_;
};

// An interval counts as missing frames when it is longer than this many median intervals.
constexpr double MissingIntervalFactor = 1.5;

// The one-line account of the run, for the companion's stderr and the windows:
// "Линия: кадров: 40, с ошибками кадра: 0, пропусков: 0, интервал: в среднем 1,40 с,
// наибольший 1,43 с". Numbers use `decimalSeparator`.
std::string LineHealthText(const LineHealthSummary& summary, const std::string& decimalSeparator);

// A hint when framing faults are frequent (in more than one frame of ten, and in at least two);
// empty otherwise.
std::string LineHealthHint(const LineHealthSummary& summary);

} // namespace qv
