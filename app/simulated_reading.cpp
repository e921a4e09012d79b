#include "app/simulated_reading.h"

#include "acquisition/line_receiver.h"
#include "app/frame_commit.h"
#include "app/program_state.h"
#include "app/reading_session.h"

namespace qv {

int ReadSimulatedUnit(ProgramState& state, const SimulatedReading& reading) {
    if (reading.frames < 1 || reading.frames > MaxFrames) return 0;
    constexpr std::int64_t NsPerDay = 86'400'000'000'000;
    constexpr std::int64_t CommitDelayNs = std::int64_t{CommitDelayMs} * 1'000'000;
    const std::int64_t limitNs = (reading.frames + 1) * std::int64_t{10'000'000'000};

    ReadingSession session(state);
    const std::uint64_t generation = session.Start(FromFrameTime(reading.startTime));
    SimulatedVirtualLine line(reading.seed, reading.ticksPerSecond, reading.pollNs, limitNs);
    // The moment the commit timer would run after the line's present moment.
    const auto commitTime = [&] {
        return reading.startTime + static_cast<double>(line.TimeNs() + CommitDelayNs) / NsPerDay;
    };
    int length = 0;
    ReceiverCallbacks callbacks;
    callbacks.frameReady = [&] {
        while (state.handOver.Pending()) {
            const ReadingSession::Commit commit = session.CommitNext(commitTime());
            if (commit.slot != 0) length = commit.slot;
            if (commit.slot >= reading.frames) (void)session.End(RunEnd::Stop, commitTime());
        }
    };
    callbacks.lineEnded = [&] {
        if (const int last = session.End(RunEnd::LineEnded, commitTime()).lastSlot) length = last;
    };
    LineReceiver receiver(state, generation, line, line, line, LinePolarity::Straight, callbacks);
    receiver.Run();
    (void)session.End(RunEnd::Stop, commitTime()); // a run without a counter is still on
    return length;
}

} // namespace qv
