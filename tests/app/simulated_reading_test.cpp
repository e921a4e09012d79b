#include "acquisition/receiver_test_support.h"
#include "app/simulated_reading.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv::test {
namespace {

constexpr double SecondsPerDay = 86'400.0;

TEST(SimulatedReading, CommitsTheUnitsFramesFromSlotOneWithVirtualTimes) {
    auto state = std::make_unique<ProgramState>();
    state->FrameCount = 50; // an earlier recording: a new reading starts again at slot 1
    state->store.Row(7).Analog[0] = 99;
    SimulatedReading reading;
    reading.seed = 21;
    reading.frames = 6;
    reading.startTime = 0.5; // noon
    ASSERT_EQ(ReadSimulatedUnit(*state, reading), 6);
    EXPECT_EQ(state->FrameCount, 7);
    EXPECT_EQ(state->StopFlag, 1);
    EXPECT_FALSE(state->handOver.Pending());

    SimulatedEngine engine(21);
    for (int n = 1; n <= 6; ++n) {
        const FrameRow& row = state->store.Row(n);
        const Bytes sent = engine.NextFrame();
        for (int b = 0; b < 10; ++b) EXPECT_EQ(row.Analog[b], sent[b]) << n << ' ' << b;
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(row.Flags11[k], (sent[10] >> k) & 1) << n << ' ' << k;
            EXPECT_EQ(row.Flags12[k], (sent[11] >> k) & 1) << n << ' ' << k;
        }
        EXPECT_EQ(row.Identifier, DefaultIdentifier());
        EXPECT_EQ(row.EndFlag, 0);
        // The unit sends a frame about every 1.4 s; the first ends about 1.4 s after the start.
        const double previous = n == 1 ? reading.startTime : state->store.Row(n - 1).FrameTime;
        const double seconds = (row.FrameTime - previous) * SecondsPerDay;
        EXPECT_GT(seconds, 1.2) << n;
        EXPECT_LT(seconds, 1.6) << n;
    }
    EXPECT_EQ(state->store.Row(7).Analog[0], 99);
}

TEST(SimulatedReading, IsReproducibleForASeedAndRefusesImpossibleLengths) {
    SimulatedReading reading;
    reading.frames = 4;
    auto first = std::make_unique<ProgramState>();
    auto second = std::make_unique<ProgramState>();
    auto other = std::make_unique<ProgramState>();
    ASSERT_EQ(ReadSimulatedUnit(*first, reading), 4);
    ASSERT_EQ(ReadSimulatedUnit(*second, reading), 4);
    reading.seed = SimulatedUnitSeed + 1;
    ASSERT_EQ(ReadSimulatedUnit(*other, reading), 4);
    bool differs = false;
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(first->store.Row(n), second->store.Row(n)) << n;
        differs = differs || first->store.Row(n).Analog != other->store.Row(n).Analog;
    }
    EXPECT_TRUE(differs);

    for (int frames : {0, -1, MaxFrames + 1}) {
        auto state = std::make_unique<ProgramState>();
        reading.frames = frames;
        EXPECT_EQ(ReadSimulatedUnit(*state, reading), 0) << frames;
        EXPECT_EQ(state->FrameCount, 1);
        EXPECT_EQ(state->store.Row(1), FrameRow{});
    }
}

} // namespace
} // namespace qv::test
