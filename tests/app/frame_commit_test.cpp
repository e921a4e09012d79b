#include "acquisition/receiver_test_support.h"
#include "app/frame_commit.h"

#include <gtest/gtest.h>

#include <random>

namespace qv::test {
namespace {

TEST(FrameCommit, WritesRowFrameCountWithItsEndFlagAndNothingBeyondTheStore) {
    ProgramState state;
    const std::uint64_t run = state.handOver.BeginRun();
    const std::array<std::uint8_t, HeaderSampleCount> header{0, 1};
    EXPECT_EQ(CommitHandedOverFrame(state, 1.5), 0);

    state.FrameCount = 4;
    ASSERT_TRUE(state.handOver.Publish(run, Data(200), header, 1, 4));
    EXPECT_EQ(CommitHandedOverFrame(state, 1.5), 4);
    EXPECT_EQ(state.FrameCount, 4); // the caller advances it after showing the frame
    EXPECT_EQ(state.store.Row(4).Analog[0], 200);
    EXPECT_EQ(state.store.Row(4).Identifier[1], 1);
    EXPECT_EQ(state.store.Row(4).EndFlag, 1);
    EXPECT_EQ(state.store.Row(4).FrameTime, 1.5);
    EXPECT_EQ(state.store.Row(3), FrameRow{});

    ASSERT_TRUE(state.handOver.Publish(run, Data(1), header, 1, MaxFrames));
    state.FrameCount = MaxFrames + 1; // the store filled meanwhile
    EXPECT_EQ(CommitHandedOverFrame(state, 2.0), 0);
    EXPECT_FALSE(state.handOver.Pending());
}

TEST(FrameCommit, ANoisyLineNeverHandsOverOutsideTheStore) {
    // Random levels with now and then a long idle stretch: many garbage frames.
    std::mt19937_64 random(7);
    LineRecording noise;
    std::int64_t t = 0;
    int level = 1;
    noise.Changes.push_back({0, 1});
    while (t < 12'000'000'000) {
        const bool idle = random() % 12 == 0;
        t += idle ? 110'000'000 + static_cast<std::int64_t>(random() % 30'000'000)
                  : 500'000 + static_cast<std::int64_t>(random() % 20'000'000);
        level = idle ? 0 : 1 - level;
        if (idle) noise.Changes.push_back({t - 1, 1});
        if (noise.Changes.back().TimeNs < t) noise.Changes.push_back({t, level});
    }

    VirtualRun count;
    count.Run(noise);
    ASSERT_GE(count.frames.size(), 4u); // enough frames to run past the end of the store

    // Now each hand-over is committed at once, starting two slots before the end.
    auto owned = std::make_unique<ProgramState>();
    ProgramState& state = *owned;
    state.ReducedCpu = false;
    std::vector<int> slots;
    VirtualLine line(noise, 1'000'000, 20'000, noise.LastChangeNs());
    state.StopFlag = 0;
    state.FrameCount = MaxFrames - 1;
    ReceiverCallbacks callbacks;
    callbacks.frameReady = [&] {
        const int slot = CommitHandedOverFrame(state, 0.0);
        slots.push_back(slot);
        state.FrameCount = slot + 1;
    };
    LineReceiver receiver(state, state.handOver.BeginRun(), line, line, line,
                          LinePolarity::Straight, callbacks);
    receiver.Run();
    EXPECT_EQ(slots, (std::vector<int>{MaxFrames - 1, MaxFrames}));
    EXPECT_EQ(state.FrameCount, MaxFrames + 1);
}

} // namespace
} // namespace qv::test
