#include "acquisition/receiver_timing.h"
#include "receiver_test_support.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

const Bytes kBytesA{215, 61, 231, 167, 111, 126, 111, 157, 56, 210, 18, 142};
const Bytes kBytesB{0, 255, 1, 128, 85, 170, 15, 240, 7, 224, 127, 254};

TEST(ReceiverIntervals, WorkedTickValues) {
    const ReceiverIntervals colourburst = ReceiverIntervals::ForFrequency(3'579'545);
    EXPECT_EQ(colourburst.Gap, 381'580);
    EXPECT_EQ(colourburst.HeaderSample[0], 44'029);
    EXPECT_EQ(colourburst.HeaderSample[11], 366'904);
    EXPECT_EQ(colourburst.HeaderLastCell, 396'256);
    EXPECT_EQ(colourburst.DataSample[7], 249'495);
    EXPECT_EQ(colourburst.ByteEnd, 293'523);
    EXPECT_EQ(colourburst.Tail, 337'551);

    const ReceiverIntervals megahertz = ReceiverIntervals::ForFrequency(1'000'000);
    EXPECT_EQ(megahertz.Gap, 106'600);
    for (int k = 1; k <= 12; ++k) EXPECT_EQ(megahertz.HeaderSample[k - 1], 8200 * k + 4100);
    EXPECT_EQ(megahertz.HeaderLastCell, 110'700);
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(megahertz.DataSample[k - 1], 8200 * k + 4100);
    EXPECT_EQ(megahertz.ByteEnd, 82'000);
    EXPECT_EQ(megahertz.Tail, 94'300);
}

TEST(Receiver, DecodesFramesOfAStraightLine) {
    VirtualRun run;
    run.Run(EncodeLine({Frame(kBytesA), Frame(kBytesB, 25)}));
    ASSERT_EQ(run.frames.size(), 2u);
    EXPECT_EQ(run.frameReadyCalls, 2);
    EXPECT_EQ(run.frames[0].Header, DefaultIdentifier());
    EXPECT_EQ(run.frames[0].Data, kBytesA);
    EXPECT_EQ(run.frames[0].EndFlag, 0);
    EXPECT_EQ(run.frames[1].Data, kBytesB);
}

TEST(Receiver, InvertedLineThroughThread2GivesTheSameFrames) {
    const LineRecording line = EncodeLine({Frame(kBytesA), Frame(kBytesB)});
    VirtualRun straight, inverted;
    straight.Run(line, LinePolarity::Straight);
    inverted.Run(Inverted(line), LinePolarity::Inverted);
    ASSERT_EQ(straight.frames.size(), 2u);
    EXPECT_EQ(inverted.frames, straight.frames);
}

TEST(Receiver, ThirteenthByteSetsTheEndFlag) {
    EncodedFrame longer = Frame(kBytesA);
    longer.Bytes.push_back(0x55);
    VirtualRun run;
    run.Run(EncodeLine({longer}));
    ASSERT_EQ(run.frames.size(), 1u);
    EXPECT_EQ(run.frames[0].Data, kBytesA);
    EXPECT_EQ(run.frames[0].EndFlag, 1);
}

TEST(Receiver, NoCounterReportsAndReadsNothing) {
    NoCounterClock noCounter;
    VirtualRun run;
    run.clock = &noCounter;
    run.Run(EncodeLine({Frame(kBytesA)}));
    EXPECT_TRUE(run.noCounter);
    EXPECT_TRUE(run.frames.empty());
    EXPECT_EQ(run.endTimeNs, 0);
}

} // namespace
} // namespace qv::test
