#pragma once

#include "acquisition/line_interfaces.h"
#include "acquisition/receiver_timing.h"
#include "recording/line_frame.h"

#include <array>
#include <cstdint>
#include <functional>

namespace qv {

struct ProgramState;

// Which status word counts as level 1: Thread (straight cable) takes any nonzero word,
// Thread2 (inverting adapter) takes the zero word.
enum class LinePolarity { Straight, Inverted };

constexpr int LineLevel(std::uint32_t modemStatus, LinePolarity polarity) {
    const bool on = modemStatus != 0;
    return (polarity == LinePolarity::Straight ? on : !on) ? 1 : 0;
}

// Called on the receiver's own thread. frameReady: a frame was just handed over (arm the
// commit). noCounter: no high-resolution counter ("Однако не хотит:)" belongs in Edit1).
// finished: the receiver has returned (after this it touches nothing shared).
struct ReceiverCallbacks {
    std::function<void()> frameReady;
    std::function<void()> noCounter;
    std::function<void()> finished;
};

// The receiver's algorithm: finds the idle gap, samples the header and the twelve bytes at
// computed instants and hands every complete frame over to state.handOver. Its results depend
// only on the status words and counter readings it sees. It stops when state.StopFlag is set
// at one of its checks, or when its generation is no longer the hand-over's current one.
class LineReceiver {
public:
    LineReceiver(ProgramState& state, std::uint64_t generation, LineSource& line, TickClock& clock,
                 Pump& pump, LinePolarity polarity, ReceiverCallbacks callbacks = {},
                 TimingObserver* observer = nullptr);

    // The receiver body; returns when stopped or when there is no counter.
    void Run();

private:
    int ReadLevel();
    bool StopRequested() const;
    bool Reduced() const;
    void PumpIfReduced(std::int64_t deadline);
    // Polls until the counter exceeds `target`; returns that reading.
    std::int64_t WaitUntilAfter(std::int64_t target);
    bool ReceiveFrame(); // false when stopped

    ProgramState& state_;
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
};

} // namespace qv
