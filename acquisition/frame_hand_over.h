#pragma once

#include "acquisition/line_health.h"
#include "recording/line_frame.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

namespace qv {

// A frame as the receiver handed it over, with the end flag that belongs in its row.
struct HandedOverFrame {
    LineFrame Frame;
    std::uint8_t EndFlag = 0;
    // How cleanly the frame came over the line.
    FrameHealth Health;
};

// The meeting point of the receiver thread and the main thread's frame commit. Each start of
// reading begins a new generation; only the receiver of the current generation may publish,
// so a receiver that has not yet noticed its stop can neither hand over nor keep reading.
// Every published frame is taken exactly once.
class FrameHandOver {
public:
    // Main thread, at each start of reading: a new generation. Frames of earlier runs that
    // were not yet taken are dropped. Returns the new generation.
    std::uint64_t BeginRun();
    // Main thread: no run may publish any more; the reading session ends every run with it.
    void EndAllRuns();

    std::uint64_t CurrentGeneration() const { return generation_.load(std::memory_order_acquire); }
    bool IsCurrent(std::uint64_t generation) const { return CurrentGeneration() == generation; }

    // Receiver: publishes, in this order, the data samples, the header samples and the end
    // flag, with the frame's health, then makes the frame available. Nothing is published
    // (false) when `generation` is not the current one or `slot`, the slot the frame is for,
    // lies outside 1..MaxFrames.
    bool Publish(std::uint64_t generation,
                 const std::array<std::uint8_t, DataSampleCount>& dataSamples,
                 const std::array<std::uint8_t, HeaderSampleCount>& headerSamples,
                 std::uint8_t endFlag, int slot, const FrameHealth& health = {});

    // Main thread: the oldest frame not yet taken, if any.
    std::optional<HandedOverFrame> Take();
    bool Pending() const;

    // How many frames were dropped because the main thread did not take them in time.
    std::uint64_t DroppedFrames() const;

    // Frames kept while the main thread is busy; the oldest is dropped beyond that.
    static constexpr std::size_t Capacity = 8;

private:
    std::atomic<std::uint64_t> generation_{0};
    mutable std::mutex mutex_;
    std::deque<HandedOverFrame> pending_;
    std::uint64_t dropped_ = 0;
};

} // namespace qv
