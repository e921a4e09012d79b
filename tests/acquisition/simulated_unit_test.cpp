#include "acquisition/receiver_thread.h"
#include "acquisition/simulated_unit.h"
#include "app/frame_commit.h"
#include "receiver_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace qv::test {
namespace {

// Stops the receiver thread; how long it then takes to return, in seconds.
double StopSeconds(ProgramState& state, std::thread& receiver) {
    state.StopFlag = 1;
    const auto start = std::chrono::steady_clock::now();
    receiver.join();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The first seconds of the simulated unit's line, sampled every 50 µs.
LineRecording SampleSimulatedLine(std::uint64_t seed, std::int64_t seconds) {
    SimulatedLine unit(seed);
    LineRecording line;
    for (std::int64_t t = 0; t <= seconds * 1'000'000'000; t += 50'000) {
        const int level = unit.LevelAt(t);
        if (line.Changes.empty() || line.Changes.back().Level != level)
            line.Changes.push_back({t, level});
    }
    // Cut off at idle: a frame still being sent when the sampling ends is never completed.
    line.Changes.push_back({seconds * 1'000'000'000 + 1, 1});
    return line;
}

TEST(SimulatedUnit, ItsLineDecodesToTheFramesItSentAndOnlyStraight) {
    const LineRecording line = SampleSimulatedLine(11, 8);
    VirtualRun straight;
    straight.Run(line);
    ASSERT_GE(straight.frames.size(), 4u);
    SimulatedEngine sent(11); // the unit's engine, frame by frame
    for (std::size_t i = 0; i < straight.frames.size(); ++i) {
        EXPECT_EQ(straight.frames[i].Data, sent.NextFrame()) << i;
        EXPECT_EQ(straight.frames[i].Header, DefaultIdentifier());
    }
    // Read through the inverting receiver, as with the wrong cable option: garbage.
    VirtualRun inverted;
    inverted.Run(line, LinePolarity::Inverted);
    for (const ReceivedFrame& frame : inverted.frames)
        EXPECT_NE(frame.Data, SimulatedEngine(11).NextFrame());
}

TEST(SimulatedUnit, WarmsUpFromAColdStartAtIdle) {
    SimulatedEngine engine(3), again(3), other(4);
    std::vector<Bytes> frames;
    for (int i = 0; i < 600; ++i) frames.push_back(engine.NextFrame());
    EXPECT_EQ(again.NextFrame(), frames[0]);
    EXPECT_NE(other.NextFrame(), frames[0]);

    const auto bit = [](std::uint8_t byte, int k) { return (byte >> k) & 1; };
    // Coolant (raw byte rising with temperature), cold and after-start flags at the start.
    EXPECT_LT(frames[2][5], 150);
    EXPECT_GT(frames[599][5], 220);
    EXPECT_EQ(bit(frames[2][10], 0), 1);
    EXPECT_EQ(bit(frames[2][10], 1), 1);
    EXPECT_EQ(bit(frames[599][10], 0), 0);
    EXPECT_EQ(bit(frames[599][10], 1), 0);
    EXPECT_EQ(bit(frames[2][10], 5), 0); // no feedback while cold
    int feedbackWarm = 0, idleClosed = 0, blips = 0, richLeft = 0;
    for (int i = 0; i < 600; ++i) {
        EXPECT_EQ(frames[i][7], 0);               // standing still
        EXPECT_EQ(bit(frames[i][11], 7), 1) << i; // diagnosis good
        idleClosed += bit(frames[i][11], 1);
        blips += frames[i][6] > 0;
        if (i >= 400) feedbackWarm += bit(frames[i][10], 5), richLeft += bit(frames[i][11], 4);
    }
    EXPECT_GT(feedbackWarm, 150);
    EXPECT_GT(idleClosed, 500);
    EXPECT_GT(blips, 10);
    EXPECT_GT(richLeft, 50); // the mixture swings between rich and lean
    EXPECT_LT(richLeft, 150);
    // Idle speed falls as the engine warms (raw × 25 rpm).
    int warmIdle = 255;
    for (int i = 550; i < 600; ++i) warmIdle = std::min<int>(warmIdle, frames[i][3]);
    EXPECT_GT(frames[5][3] * 25, 1100);
    EXPECT_LT(warmIdle * 25, 900);
}

// "SIM" as a port that reports its changes (the edge-timed path) or one that does not.
struct SimPorts : PortSystem {
    bool reportsChanges = true;
    std::unique_ptr<PortDevice> Open(const std::string&) override {
        SimulatedPortOptions options;
        options.ReportsChanges = reportsChanges;
        return OpenSimulatedPort(SimulatedUnitSeed, options);
    }
    std::vector<std::string> Candidates() override { return {}; }
};

TEST(ReceiverThread, ReadsSimInRealTimeAndHandsOverForTheCommit) {
    for (const AcquisitionMode expected : {AcquisitionMode::EdgeTimed, AcquisitionMode::Polling}) {
        auto ports = std::make_shared<SimPorts>();
        ports->reportsChanges = expected == AcquisitionMode::EdgeTimed;
        ProgramState state;
        state.port.UseSystem(ports);
        ASSERT_TRUE(state.port.OpenPort("SIM"));
        state.ReducedCpu = true;
        state.StopFlag = 0;
        std::mutex mutex;
        std::condition_variable arrived;
        int handedOver = 0;
        std::vector<AcquisitionMode> modes;
        ReceiverCallbacks callbacks;
        callbacks.frameReady = [&] {
            std::lock_guard lock(mutex);
            ++handedOver;
            arrived.notify_all();
        };
        callbacks.acquisition = [&](AcquisitionMode mode, ThreadPriorityLevel) {
            std::lock_guard lock(mutex);
            modes.push_back(mode);
        };
        std::thread receiver = StartReceiver(state, state.handOver.BeginRun(), false, callbacks);

        // Sampling in real time can lose a bit when the machine is very busy (sanitizer builds
        // beside parallel tests), so one of the unit's first three frames must arrive whole.
        // The first ends about 1.4 s after the port was opened, the others 1.2 s apart.
        SimulatedEngine engine(SimulatedUnitSeed);
        int taken = 0;
        bool whole = false;
        while (!whole && taken < 3) {
            {
                std::unique_lock lock(mutex);
                if (!arrived.wait_for(lock, std::chrono::seconds(10),
                                      [&] { return handedOver > taken; }))
                    break; // the thread is joined below, whatever fails
            }
            ++taken;
            EXPECT_EQ(CommitHandedOverFrame(state, 0.25), taken);
            state.FrameCount = taken + 1;
            const Bytes sent = engine.NextFrame();
            const FrameRow& row = state.store.Row(taken);
            whole = row.Flags12[7] == 1;
            for (int b = 0; b < 10; ++b) whole = whole && row.Analog[b] == sent[b];
        }
        EXPECT_TRUE(whole) << "none of " << taken << " frames read in real time was whole";
        EXPECT_LT(StopSeconds(state, receiver), 2);
        std::lock_guard lock(mutex);
        EXPECT_EQ(handedOver, taken);
        EXPECT_EQ(modes, std::vector<AcquisitionMode>{expected});
    }
}

// A port whose line never changes: every wait for a change runs to its time-out.
struct QuietPorts : PortSystem {
    struct Device : PortDevice {
        std::mutex mutex;
        std::condition_variable closedSignal;
        bool closed = false;
        bool ReadSettings() override { return true; }
        bool SetTimeouts(const PortTimeouts&) override { return true; }
        bool SetState(const PortLineState&) override { return true; }
        bool Purge() override { return true; }
        bool ReadModemStatus(std::uint32_t& word) override {
            word = ModemStatusDsr;
            return true;
        }
        LineWait WaitForChange(std::int64_t timeoutNs) override {
            std::unique_lock lock(mutex);
            closedSignal.wait_for(lock, std::chrono::nanoseconds(timeoutNs),
                                  [this] { return closed; });
            return closed ? LineWait::Lost : LineWait::TimedOut;
        }
        bool Close() override {
            std::lock_guard lock(mutex);
            closed = true;
            closedSignal.notify_all();
            return true;
        }
    };
    std::unique_ptr<PortDevice> Open(const std::string&) override {
        return std::make_unique<Device>();
    }
    std::vector<std::string> Candidates() override { return {}; }
};

TEST(ReceiverThread, AStopEndsTheEdgeTimedReceiverWhileItWaitsOnAQuietLine) {
    ProgramState state;
    state.port.UseSystem(std::make_shared<QuietPorts>());
    ASSERT_TRUE(state.port.OpenPort("quiet"));
    state.StopFlag = 0;
    std::atomic<bool> lost{false};
    ReceiverCallbacks callbacks;
    callbacks.deviceLost = [&] { lost = true; };
    std::thread receiver = StartReceiver(state, state.handOver.BeginRun(), false, callbacks);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_LT(StopSeconds(state, receiver), 2);
    EXPECT_FALSE(lost);
    EXPECT_FALSE(state.handOver.Pending());
}

TEST(ReceiverThread, WithoutAnOpenPortThread2ReportsTheLineLostAndEnds) {
    ProgramState state;
    state.StopFlag = 0;
    std::atomic<bool> lost{false};
    ReceiverCallbacks callbacks;
    callbacks.deviceLost = [&] { lost = true; };
    // No port: failed reads are never taken for a level. It ends by itself.
    StartReceiver(state, state.handOver.BeginRun(), true, callbacks).join();
    EXPECT_TRUE(lost);
    EXPECT_FALSE(state.handOver.Pending());
}

} // namespace
} // namespace qv::test
