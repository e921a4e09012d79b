#include "receiver_test_support.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

TEST(FrameHandOver, EachFrameIsTakenOnceOnlyFromTheCurrentRunAndValidSlots) {
    FrameHandOver handOver;
    const std::array<std::uint8_t, HeaderSampleCount> header{1, 0, 1};
    const std::uint64_t first = handOver.BeginRun();
    EXPECT_FALSE(handOver.Publish(first, Data(1), header, 0, 0));
    EXPECT_FALSE(handOver.Publish(first, Data(1), header, 0, MaxFrames + 1));
    EXPECT_FALSE(handOver.Pending());

    EXPECT_TRUE(handOver.Publish(first, Data(7), header, 1, MaxFrames));
    EXPECT_TRUE(handOver.Publish(first, Data(9), header, 0, MaxFrames));
    auto taken = handOver.Take();
    ASSERT_TRUE(taken);
    EXPECT_EQ(AssembleByte(taken->Frame, 1), 7);
    EXPECT_EQ(taken->Frame.HeaderSamples, header);
    EXPECT_EQ(taken->EndFlag, 1);
    EXPECT_EQ(AssembleByte(handOver.Take()->Frame, 1), 9);
    EXPECT_FALSE(handOver.Take());

    // A new start: the old run's untaken frame is dropped and the old run may not publish.
    EXPECT_TRUE(handOver.Publish(first, Data(3), header, 0, 5));
    const std::uint64_t second = handOver.BeginRun();
    EXPECT_NE(second, first);
    EXPECT_FALSE(handOver.Pending());
    EXPECT_FALSE(handOver.Publish(first, Data(3), header, 0, 5));
    EXPECT_TRUE(handOver.Publish(second, Data(4), header, 0, 5));
    handOver.EndAllRuns();
    EXPECT_FALSE(handOver.Publish(second, Data(4), header, 0, 6));
    EXPECT_EQ(AssembleByte(handOver.Take()->Frame, 1), 4);

    // A main thread that does not take frames loses the oldest beyond the capacity.
    const std::uint64_t third = handOver.BeginRun();
    for (int i = 0; i < static_cast<int>(FrameHandOver::Capacity) + 2; ++i)
        handOver.Publish(third, Data(static_cast<std::uint8_t>(i)), header, 0, 1);
    EXPECT_EQ(handOver.DroppedFrames(), 2u);
    EXPECT_EQ(AssembleByte(handOver.Take()->Frame, 1), 2);
}

} // namespace
} // namespace qv::test
