#include "receiver_test_support.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

constexpr std::int64_t kBitNs = 8'200'000;
constexpr std::int64_t kMs = 1'000'000;
const Bytes kBytes{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x0F, 0xA5, 0x5A, 0xC3};

// Level 0 until `riseNs`, level 1 until `fallNs`, where a frame starts (its first falling edge).
LineRecording HighStretchThenFrame(std::int64_t riseNs, std::int64_t fallNs) {
    LineRecording line;
    line.Changes = {{0, 0}, {riseNs, 1}};
    AppendFrame(line, fallNs, Frame(kBytes, 0), LineTiming{});
    return line;
}

TEST(ReceiverGap, DecidedByTheReadingOfTheLastCycleAlone) {
    // One tick (1 µs) per counter reading: the status read of a cycle sees the time of the
    // previous reading. Level 1 is first seen at the rise R, the gap's reference is R + 2 µs,
    // and the cycle that sees the fall D reads D + 1 µs: accepted only if D + 1 > R + 2 + gap.
    const std::int64_t rise = 5 * kMs;
    const std::int64_t gapUs = 106'600;
    VirtualRun notYet, accepted;
    notYet.Run(
        HighStretchThenFrame(rise, rise + (gapUs + 1) * 1000), LinePolarity::Straight,
        [](VirtualLine&) {}, 1'000'000, 1000);
    accepted.Run(
        HighStretchThenFrame(rise, rise + (gapUs + 2) * 1000), LinePolarity::Straight,
        [](VirtualLine&) {}, 1'000'000, 1000);
    EXPECT_TRUE(notYet.frames.empty());
    // Accepted although that very cycle saw level 0: the frame starts in the next cycle.
    ASSERT_EQ(accepted.frames.size(), 1u);
    EXPECT_EQ(accepted.frames[0].Data, kBytes);
}

TEST(ReceiverGap, HundredMillisecondsIsNoGapButHundredTenIs) {
    VirtualRun shortIdle, longIdle;
    shortIdle.Run(HighStretchThenFrame(3 * kMs, 103 * kMs));
    longIdle.Run(HighStretchThenFrame(3 * kMs, 113 * kMs));
    EXPECT_TRUE(shortIdle.frames.empty());
    ASSERT_EQ(longIdle.frames.size(), 1u);
    EXPECT_EQ(longIdle.frames[0].Header, DefaultIdentifier());
    EXPECT_EQ(longIdle.frames[0].Data, kBytes);
}

// Records where the receiver placed each start edge.
struct Edges : TimingObserver {
    std::vector<std::int64_t> references;
    void WaitEnded(std::int64_t, std::int64_t) override {}
    void EdgeTaken(std::int64_t reference) override { references.push_back(reference); }
};

TEST(ReceiverFrame, ByteOnesStartEdgeIsFoundWhereItIsEvenBeforeTheHeaderEnds) {
    LineTiming early;
    early.HeaderBits = 13.6; // byte 1's start bit begins before 14 bit periods have passed
    Edges edges;
    VirtualRun run;
    run.observer = &edges;
    run.Run(EncodeLine({Frame(kBytes)}, early));
    ASSERT_EQ(run.frames.size(), 1u);
    EXPECT_EQ(run.frames[0].Data, kBytes);
    // The frame start, then byte 1: placed at the edge (ticks are microseconds), within a cycle.
    ASSERT_GE(edges.references.size(), 2u);
    const std::int64_t start = 20 * kBitNs / 1000;
    EXPECT_NEAR(edges.references[0], start, 20);
    EXPECT_NEAR(edges.references[1], start + 136 * kBitNs / 10'000, 20);
}

TEST(ReceiverFrame, ToleratesEdgeJitterAndBitPeriodsTwoPercentOff) {
    std::vector<EncodedFrame> frames;
    const Bytes patterns[] = {kBytes,
                              {255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0},
                              {0x80, 0x01, 0x7F, 0xFE, 0xAA, 0x55, 0x81, 0x18, 0xC3, 0x3C, 1, 128}};
    for (const Bytes& bytes : patterns) frames.push_back(Frame(bytes, 17));
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        LineTiming jittery;
        jittery.JitterNs = 1 * kMs;
        jittery.JitterSeed = seed;
        VirtualRun run;
        run.Run(EncodeLine(frames, jittery));
        ASSERT_EQ(run.frames.size(), 3u) << "seed " << seed;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(run.frames[i].Data, patterns[i]) << "seed " << seed;
    }
    for (std::int64_t bitNs : {kBitNs * 98 / 100, kBitNs * 102 / 100}) {
        LineTiming off;
        off.BitNs = bitNs;
        off.HeaderBits = 14;
        VirtualRun run;
        run.Run(EncodeLine(frames, off));
        ASSERT_EQ(run.frames.size(), 3u) << "bit " << bitNs;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(run.frames[i].Data, patterns[i]) << "bit " << bitNs;
            EXPECT_EQ(run.frames[i].Header, DefaultIdentifier()) << "bit " << bitNs;
            EXPECT_EQ(run.frames[i].EndFlag, 0) << "bit " << bitNs;
        }
    }
}

// A stop request at `stopNs` on `line`; returns the run.
VirtualRun StopAt(const LineRecording& line, std::int64_t stopNs) {
    VirtualRun run;
    run.Run(line, LinePolarity::Straight, [&run, stopNs](VirtualLine& virtualLine) {
        virtualLine.At(stopNs, [&run] { run.state->StopFlag = 1; });
    });
    return run;
}

TEST(ReceiverStop, EachEventWaitEndsPromptlyWithoutAFrame) {
    // Idle 20 bits, frame start at 164 ms; byte b starts 14 + 11 (b - 1) bits after it.
    const LineRecording frame = EncodeLine({Frame(kBytes)});
    const std::int64_t start = 20 * kBitNs;
    LineRecording lowForever;
    lowForever.Changes = {{0, 0}, {10'000 * kMs, 0}};
    LineRecording highForever;
    highForever.Changes = {{0, 1}, {10'000 * kMs, 1}};
    LineRecording cutAfterByteFive;
    for (const LevelChange& change : frame.Changes)
        if (change.TimeNs < start + (14 + 55) * kBitNs) cutAfterByteFive.Changes.push_back(change);
    cutAfterByteFive.Changes.push_back({10'000 * kMs, 1});

    struct Case {
        const char* wait;
        const LineRecording& line;
        std::int64_t stopNs;
    } cases[] = {
        {"level 1", lowForever, 500 * kMs},
        {"idle gap", highForever, 50 * kMs},
        {"frame start", highForever, 500 * kMs},
        {"byte start edge", cutAfterByteFive, 2000 * kMs},
    };
    for (const Case& c : cases) {
        const VirtualRun run = StopAt(c.line, c.stopNs);
        EXPECT_TRUE(run.frames.empty()) << c.wait;
        EXPECT_LT(run.endTimeNs, c.stopNs + 1 * kMs) << c.wait;
    }
}

TEST(ReceiverStop, AfterByteTwelveTheFrameIsStillHandedOver) {
    const LineRecording line = EncodeLine({Frame(kBytes), Frame(kBytes)});
    const std::int64_t byte12 = (20 + 14 + 11 * 11) * kBitNs;
    // During byte 12's samples: the check after the byte ends the receiver.
    const VirtualRun inByte = StopAt(line, byte12 + 5 * kBitNs);
    EXPECT_TRUE(inByte.frames.empty());
    EXPECT_LT(inByte.endTimeNs, byte12 + 11 * kBitNs);
    // During the tail wait: handed over, then the receiver ends.
    const VirtualRun inTail = StopAt(line, byte12 + 10 * kBitNs + kBitNs / 2);
    ASSERT_EQ(inTail.frames.size(), 1u);
    EXPECT_EQ(inTail.frames[0].Data, kBytes);
    EXPECT_LT(inTail.endTimeNs, byte12 + 12 * kBitNs);
}

TEST(ReceiverStop, ANewRunRetiresTheOldReceiverEvenWhileReading) {
    const LineRecording line = EncodeLine({Frame(kBytes), Frame(kBytes)});
    const std::int64_t byte12 = (20 + 14 + 11 * 11) * kBitNs;
    // The new start clears StopFlag again; the old receiver must neither publish the frame
    // it is finishing nor go on reading.
    VirtualRun run;
    run.Run(line, LinePolarity::Straight, [&run, byte12](VirtualLine& virtualLine) {
        virtualLine.At(byte12 + 10 * kBitNs + kBitNs / 2, [&run] {
            run.state->handOver.BeginRun();
            run.state->StopFlag = 0;
        });
    });
    EXPECT_TRUE(run.frames.empty());
    EXPECT_LT(run.endTimeNs, byte12 + 12 * kBitNs);
}

} // namespace
} // namespace qv::test
