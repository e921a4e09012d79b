#pragma once

#include "acquisition/edge_timed_line.h"
#include "acquisition/frame_hand_over.h"
#include "acquisition/line_encoder.h"
#include "acquisition/line_receiver.h"
#include "acquisition/virtual_line.h"
#include "app/program_state.h"

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace qv::test {

using Bytes = std::array<std::uint8_t, 12>;

// The data samples of a frame whose byte 1 is `firstByte` and every other byte 0.
inline std::array<std::uint8_t, DataSampleCount> Data(std::uint8_t firstByte) {
    std::array<std::uint8_t, DataSampleCount> data{};
    for (int k = 0; k < 8; ++k) data[k] = (firstByte >> k) & 1;
    return data;
}

// A machine without the high-resolution counter.
class NoCounterClock : public TickClock {
public:
    bool QueryFrequency(std::int64_t&) override { return false; }
    std::int64_t Now() override { return 0; }
};

// A virtual line's change reports, where the waiting thread can be kept from the processor:
// the next wait after StallNextWait(ns) starts ns later.
class StallingWaits : public ChangeSource {
public:
    explicit StallingWaits(VirtualLine& line) : line_(line) {}
    void StallNextWait(std::int64_t ns) { stallNs_ = ns; }
    LineWait WaitForChange(std::int64_t deadline) override {
        // Each counter reading moves virtual time on by one polling cycle.
        const std::int64_t until = line_.TimeNs() + std::exchange(stallNs_, 0);
        while (line_.TimeNs() < until) line_.Now();
        return line_.WaitForChange(deadline);
    }

private:
    VirtualLine& line_;
    std::int64_t stallNs_ = 0;
};

// A frame as the tests compare it: the identifier samples, the assembled bytes and the end flag.
struct ReceivedFrame {
    std::array<std::uint8_t, 12> Header{};
    Bytes Data{};
    std::uint8_t EndFlag = 0;
    bool operator==(const ReceivedFrame&) const = default;
};

inline ReceivedFrame ToReceived(const HandedOverFrame& handed) {
    ReceivedFrame frame;
    frame.Header = handed.Frame.HeaderSamples;
    for (int b = 1; b <= 12; ++b) frame.Data[b - 1] = AssembleByte(handed.Frame, b);
    frame.EndFlag = handed.EndFlag;
    return frame;
}

// Runs a receiver in virtual time over `line` until a second after its last change and
// collects every frame it hands over (taken at once, as the commit would).
struct VirtualRun {
    std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
    std::vector<ReceivedFrame> frames;
    std::vector<FrameHealth> health; // of each frame
    int frameReadyCalls = 0;
    bool noCounter = false;
    bool deviceLost = false;
    std::int64_t endTimeNs = 0;
    TimingObserver* observer = nullptr;
    // The port behind the line, and whether the edge-timed path reads it (else polling).
    VirtualPortBehaviour port;
    bool edges = false;
    // The edge-timed path's mode at the end, and what it met.
    AcquisitionMode mode = AcquisitionMode::Polling;
    int missedPairs = 0;
    int unreportedChanges = 0;
    // A clock read in place of the line's own; and a moment at which the edge-timed path's
    // waiting thread loses `stallNs` (-1: never).
    TickClock* clock = nullptr;
    std::int64_t stallAtNs = -1;
    std::int64_t stallNs = 0;

    VirtualRun() { state->ReducedCpu = false; }

    // `prepare` may schedule actions on the virtual line before the run starts.
    template <typename Prepare>
    void Run(const LineRecording& line, LinePolarity polarity, Prepare prepare,
             std::int64_t frequency = 1'000'000, std::int64_t pollNs = 20'000) {
        state->StopFlag = 0;
        const std::uint64_t generation = state->handOver.BeginRun();
        VirtualLine virtualLine(line, frequency, pollNs, line.LastChangeNs() + 1'000'000'000);
        virtualLine.SetBehaviour(port);
        StallingWaits waits(virtualLine);
        if (stallAtNs >= 0) virtualLine.At(stallAtNs, [&] { waits.StallNextWait(stallNs); });
        prepare(virtualLine);
        TickClock& counter = clock ? *clock : virtualLine;
        ReceiverCallbacks callbacks;
        callbacks.frameReady = [this] {
            ++frameReadyCalls;
            while (auto handed = state->handOver.Take()) {
                frames.push_back(ToReceived(*handed));
                health.push_back(handed->Health);
            }
        };
        callbacks.noCounter = [this] { noCounter = true; };
        callbacks.deviceLost = [this] { deviceLost = true; };
        if (edges) {
            EdgeTimedLine stamped(counter, virtualLine, waits, virtualLine,
                                  VirtualEdgeTiming(frequency, pollNs, port));
            LineReceiver receiver(*state, generation, stamped, stamped, stamped, polarity,
                                  callbacks, observer);
            receiver.Run();
            mode = stamped.Mode();
            missedPairs = stamped.MissedPairs();
            unreportedChanges = stamped.UnreportedChanges();
        } else {
            LineReceiver receiver(*state, generation, virtualLine, counter, virtualLine, polarity,
                                  callbacks, observer);
            receiver.Run();
        }
        endTimeNs = virtualLine.TimeNs();
    }
    void Run(const LineRecording& line, LinePolarity polarity = LinePolarity::Straight) {
        Run(line, polarity, [](VirtualLine&) {});
    }
};

inline EncodedFrame Frame(const Bytes& bytes, double idleBits = 20) {
    EncodedFrame frame;
    frame.Bytes.assign(bytes.begin(), bytes.end());
    frame.IdleBitsBefore = idleBits;
    return frame;
}

// The identifier that the default header yields.
inline std::array<std::uint8_t, 12> DefaultIdentifier() {
    const std::vector<int> cells = EncodedFrame::DefaultHeaderCells();
    std::array<std::uint8_t, 12> id{};
    for (int k = 1; k <= 12; ++k) id[k - 1] = static_cast<std::uint8_t>(cells[k]);
    return id;
}

inline LineRecording Inverted(LineRecording line) {
    for (LevelChange& change : line.Changes) change.Level = 1 - change.Level;
    return line;
}

} // namespace qv::test
