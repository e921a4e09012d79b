#include "recording/recording_store.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qv {
namespace {

LineFrame FrameWithByte(int byteIndex, std::initializer_list<int> setSamples, std::uint8_t level = 1) {
    LineFrame frame;
    for (int k : setSamples) frame.DataSamples[(byteIndex - 1) * 8 + (k - 1)] = level;
    return frame;
}

TEST(AssembleByte, LeastSignificantBitFirst) {
    EXPECT_EQ(AssembleByte(FrameWithByte(1, {1, 8}), 1), 129);
    EXPECT_EQ(AssembleByte(FrameWithByte(3, {2}), 3), 2);
    EXPECT_EQ(AssembleByte(FrameWithByte(1, {8}), 1), 128);
    EXPECT_EQ(AssembleByte(FrameWithByte(10, {1, 2, 3, 4, 5, 6, 7, 8}), 10), 255);
    // Neighbouring bytes do not leak into each other.
    EXPECT_EQ(AssembleByte(FrameWithByte(2, {1, 2, 3, 4, 5, 6, 7, 8}), 1), 0);
    EXPECT_EQ(AssembleByte(FrameWithByte(2, {1, 2, 3, 4, 5, 6, 7, 8}), 3), 0);
}

TEST(AssembleByte, AnyNonzeroSampleCountsAsOne) {
    EXPECT_EQ(AssembleByte(FrameWithByte(5, {1, 3}, 0x80), 5), 5);
    EXPECT_THROW(AssembleByte(LineFrame{}, 0), std::out_of_range);
    EXPECT_THROW(AssembleByte(LineFrame{}, 13), std::out_of_range);
}

TEST(RecordingStore, PreallocatedZeroFilledAndOneBased) {
    RecordingStore store;
    EXPECT_EQ(store.Row(1), FrameRow{});
    EXPECT_EQ(store.Row(MaxFrames), FrameRow{});
    EXPECT_THROW(store.Row(0), std::out_of_range);
    EXPECT_THROW(store.Row(MaxFrames + 1), std::out_of_range);
}

TEST(CommitFrameData, FillsRowFromSamples) {
    LineFrame frame;
    frame.HeaderSamples = {1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 7};
    frame.DataSamples[8 * 10 + 0] = 1;  // bit 11.0
    frame.DataSamples[8 * 10 + 5] = 9;  // bit 11.5, nonzero counts as 1
    frame.DataSamples[8 * 11 + 7] = 1;  // bit 12.7
    frame.DataSamples[8 * 3 + 5] = 1;   // byte 4 = 32
    RecordingStore store;
    CommitFrameData(store, 7, frame, 45000.5, 1);

    const FrameRow& row = store.Row(7);
    EXPECT_EQ(row.Analog[3], 32);
    EXPECT_EQ(row.Identifier, frame.HeaderSamples); // kept as the receiver left them
    EXPECT_EQ(row.Flags11, (std::array<std::uint8_t, 8>{1, 0, 0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(row.Flags12, (std::array<std::uint8_t, 8>{0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_DOUBLE_EQ(row.FrameTime, 45000.5);
    EXPECT_EQ(row.EndFlag, 1);
    EXPECT_EQ(store.Row(6), FrameRow{});
    EXPECT_EQ(store.Row(8), FrameRow{});
}

TEST(RecordingStore, DeleteFrameMovesLaterRowsDown) {
    RecordingStore store;
    for (int n = 1; n <= 3; ++n) {
        store.Row(n).Analog[0] = static_cast<std::uint8_t>(10 * n);
        store.Row(n).Identifier[11] = static_cast<std::uint8_t>(n);
        store.Row(n).Flags12[6] = static_cast<std::uint8_t>(n % 2);
        store.Row(n).FrameTime = n;
    }
    const FrameRow first = store.Row(1), third = store.Row(3);
    store.DeleteFrame(2, 3);
    EXPECT_EQ(store.Row(1), first);
    EXPECT_EQ(store.Row(2), third);
    EXPECT_EQ(store.Row(3), third); // the old last row stays beyond the recording

    store.DeleteFrame(3, 3); // the last frame: nothing moves
    EXPECT_EQ(store.Row(2), third);
}

} // namespace
} // namespace qv
