#pragma once

#include "acquisition/critical_thread.h"
#include "acquisition/line_health.h"
#include "acquisition/line_interfaces.h"
#include "acquisition/receiver_timing.h"
#include "recording/line_frame.h"

#include <array>
#include <cstdint>
#include <functional>

namespace qv {

struct ReadingState;

// Which status word counts as level 1: Thread (straight cable) takes any nonzero word,
// Thread2 (inverting adapter) takes the zero word.
enum class LinePolarity { Straight, Inverted };

constexpr int LineLevel(std::uint32_t modemStatus, LinePolarity polarity) {
    const bool on = modemStatus != 0;
    return (polarity == LinePolarity::Straight ? on : !on) ? 1 : 0;
}

// Called on the receiver's own thread. frameReady: a frame was just handed over (arm the
// commit). noCounter: no high-resolution counter ("Однако не хотит:)" belongs in Edit1); the
// receiver ends. acquisition: how the line is followed and at which thread priority, when
// reading starts and again whenever that changes. deviceLost: the port's device is gone;
// lineEnded: a recorded line has played to its end; in both the receiver ends.
struct ReceiverCallbacks {
    std::function<void()> frameReady;
    std::function<void()> noCounter;
    std::function<void(AcquisitionMode mode, ThreadPriorityLevel priority)> acquisition;
    std::function<void()> deviceLost;
    std::function<void()> lineEnded;
};

// The receiver's algorithm: finds the idle gap, samples the header and the twelve bytes at
// computed instants and hands every complete frame over to state.handOver, for the slot
// state.FrameCount (none outside the store). Its results depend only on the status words and
// counter readings it sees. It stops when state.StopFlag is set at one of its checks, when its
// generation is no longer the hand-over's current one, when the line reports its device lost
// (then it hands nothing more over) or when the line has ended.
//
// Status reads may be slow (a USB adapter may take milliseconds for one): every read is
// bracketed by the counter readings around it and counts as taken at their midpoint. A start
// edge lies between the last read that saw level 1 and the first that saw 0, and a sample read
// starts half a read early, so that its instant falls inside it.
//
// Each frame goes with its health: the time since the previous frame's start edge, and how
// many bytes had a start bit not 0 or a first stop bit not 1 at its middle. These two checks
// are reads of their own, outside the samples' timing: a sample is taken as without them.
class LineReceiver {
public:
    LineReceiver(ReadingState& state, std::uint64_t generation, LineSource& line, TickClock& clock,
                 Pump& pump, LinePolarity polarity, ReceiverCallbacks callbacks = {},
                 TimingObserver* observer = nullptr);

    // The receiver body; returns when stopped or when there is no counter.
    void Run();

private:
    int ReadLevel();
    // Reads the counter and remembers the reading (the start of the next read's bracket).
    std::int64_t Clock();
    bool StopRequested();
    bool Reduced() const;
    void PumpIfReduced(std::int64_t deadline);
    // Polls until the counter exceeds `target`; returns that reading. An unobserved wait is
    // not told to the timing observer (it belongs to no sample).
    std::int64_t WaitUntilAfter(std::int64_t target, bool observed = true);
    // The level at `instant`: from a read that spans it, or from a read centred on it.
    int SampleAt(std::int64_t instant);
    // The level read around `instant` for the framing checks, by a read centred on it that
    // leaves the samples' read timing as it was.
    int FramingLevelAt(std::int64_t instant);
    // Waits for a byte's start edge (no time limit); false when stopped. `reference` gets the
    // edge's estimated instant.
    bool WaitForByteStart(std::int64_t& reference);
    void NoteEdge(std::int64_t reference);
    bool ReceiveFrame(); // false when stopped

    ReadingState& state_;
    std::uint64_t generation_;
    LineSource& line_;
    TickClock& clock_;
    Pump& pump_;
    LinePolarity polarity_;
    ReceiverCallbacks callbacks_;
    TimingObserver* observer_;

    std::array<std::uint8_t, HeaderSampleCount> header_{};
    std::array<std::uint8_t, DataSampleCount> data_{};
    std::uint8_t endFlag_ = 0;
    ReceiverIntervals intervals_;
    double ticksPerSecond_ = 0;
    // The start edge of the frame being sampled, and of the last frame handed over (-1: none).
    std::int64_t frameStart_ = 0;
    std::int64_t previousStart_ = -1;
    FrameHealth health_;

    std::int64_t lastReading_ = 0;
    // The running average of how long a sample read takes, in ticks (counter readings included).
    std::int64_t readTicks_ = 0;
    // The bracket and level of the latest sample read.
    std::int64_t sampleReadStart_ = 0;
    std::int64_t sampleReadEnd_ = -1;
    int sampleLevel_ = 1;
};

} // namespace qv
