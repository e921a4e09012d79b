#include "app/simulated_reading.h"

#include "acquisition/line_receiver.h"
#include "app/frame_commit.h"
#include "app/program_state.h"

namespace qv {

int ReadSimulatedUnit(ProgramState& state, const SimulatedReading& reading) {
    if (reading.frames < 1 || reading.frames > MaxFrames) return 0;
    constexpr std::int64_t NsPerDay = 86'400'000'000'000;
    const std::int64_t limitNs = (reading.frames + 1) * std::int64_t{10'000'000'000};

    state.FrameCount = 1;
    state.StopFlag = 0;
    const std::uint64_t generation = state.handOver.BeginRun();
    SimulatedVirtualLine line(reading.seed, reading.ticksPerSecond, reading.pollNs, limitNs,
                              &state.StopFlag);
    int length = 0;
    ReceiverCallbacks callbacks;
    // The commit timer, fired at once on virtual time: the frame is stamped with the moment
    // the timer would have run.
    callbacks.frameReady = [&] {
        const double frameTime =
            reading.startTime + static_cast<double>(line.TimeNs() + CommitDelayNs) / NsPerDay;
        while (state.handOver.Pending()) {
            const int slot = CommitHandedOverFrame(state, frameTime);
            if (slot == 0) continue;
            length = slot;
            state.FrameCount = slot + 1;
            if (slot >= reading.frames) state.StopFlag = 1;
        }
    };
    LineReceiver receiver(state, generation, line, line, line, LinePolarity::Straight, callbacks);
    receiver.Run();
    state.StopFlag = 1;
    return length;
}

} // namespace qv
