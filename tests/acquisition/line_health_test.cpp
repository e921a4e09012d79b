// The line's health: framing faults and intervals as the receiver counts them on synthetic
// lines, and the run's summary and its text.
#include "receiver_test_support.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

const Bytes kBytes{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x0F, 0xA5, 0x5A, 0xC3};

EncodedFrame Glitched(std::vector<LineGlitch> glitches, double idleBits = 20) {
    EncodedFrame frame = Frame(kBytes, idleBits);
    frame.Glitches = std::move(glitches);
    return frame;
}

TEST(LineHealth, ReceiverCountsFramingFaultsAndIntervalsWithoutChangingTheSamples) {
    const struct {
        const char* name;
        EncodedFrame second;     // between two clean frames
        std::vector<int> faults; // of each frame handed over
        bool secondAsSent;       // the second frame handed over is as sent
        int intervalBits;        // from the first frame handed over to the second
    } cases[] = {
        {"clean", Frame(kBytes), {0, 0, 0}, true, 166},
        {"stop bit of byte 3 low", Glitched({{2, 9.1, 9.9}}), {0, 1, 0}, true, 166},
        {"stop bits of bytes 1, 12 low",
         Glitched({{0, 9.1, 9.9}, {11, 9.1, 9.9}}),
         {0, 2, 0},
         true,
         166},
        // A spike in byte 5's second stop bit is taken for byte 6's start edge.
        {"false start edge", Glitched({{4, 10.2, 10.4}}), {0, 1, 0}, false, 166},
        // Seven idle bits are no gap: the frame is not found, and the interval is long.
        {"short rest", Frame(kBytes, 7), {0, 0}, true, 2 * 166 - 13},
    };
    for (const auto& c : cases)
        for (const bool edges : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (edges ? ", edge-timed" : ", polling"));
            VirtualRun run;
            run.edges = edges;
            run.Run(EncodeLine({Frame(kBytes), c.second, Frame(kBytes)}));
            std::vector<int> faults;
            for (const FrameHealth& health : run.health) faults.push_back(health.FramingFaults);
            EXPECT_EQ(faults, c.faults);
            ASSERT_EQ(run.frames.size(), c.faults.size());
            EXPECT_EQ(run.frames.front().Data, kBytes);
            EXPECT_EQ(run.frames.back().Data, kBytes);
            EXPECT_EQ(run.frames[1].Data == kBytes, c.secondAsSent);
            EXPECT_EQ(run.health[0].SincePrevious, 0);
            EXPECT_NEAR(run.health[1].SincePrevious, c.intervalBits * 0.0082, 50e-6);
        }
}

TEST(LineHealth, SummaryCountsFaultyFramesAndFramesMissingFromLongIntervals) {
    const struct {
        std::vector<double> intervals; // of the frames after the first
        std::vector<int> faults;       // of every frame
        LineHealthSummary summary;
    } cases[] = {
        {{}, {0}, {1, 0, 0, 0, 0}},
        {{1.4, 1.4, 1.4}, {0, 3, 0, 1}, {4, 2, 0, 1.4, 1.4}},
        // 1.5 medians exactly is not over; 1.6 is: one frame missing.
        {{1.0, 1.5, 1.0, 1.6}, {0, 0, 0, 0, 0}, {5, 0, 1, 1.275, 1.6}},
        // Four medians: three frames missing; of two intervals the lower is the median.
        {{1.0, 4.0}, {0, 0, 0}, {3, 0, 3, 2.5, 4.0}},
    };
    for (const auto& c : cases) {
        LineHealthTally tally;
        for (std::size_t n = 0; n < c.faults.size(); ++n)
            tally.Add(static_cast<int>(n) + 1, {n ? c.intervals[n - 1] : 0, c.faults[n]});
        const LineHealthSummary summary = tally.Summary();
        EXPECT_EQ(summary.FaultyFrames, c.summary.FaultyFrames);
        EXPECT_EQ(summary.MissingFrames, c.summary.MissingFrames);
        EXPECT_DOUBLE_EQ(summary.MeanInterval, c.summary.MeanInterval);
        EXPECT_EQ(summary.Frames, c.summary.Frames);
        EXPECT_EQ(summary.LongestInterval, c.summary.LongestInterval);
    }
}

TEST(LineHealth, MarksFaultyFramesAndFramesAfterAGapAndFollowsADeletedFrame) {
    LineHealthTally tally;
    const std::vector<double> intervals{0, 1.4, 1.4, 4.2, 1.4, 1.4, 1.4}; // a gap before slot 4
    for (int slot = 1; slot <= 7; ++slot)
        tally.Add(slot, {intervals[slot - 1], slot == 2 || slot == 4 ? 1 : 0});
    std::vector<LiveMark> marks;
    tally.Marks(1, 7, marks);
    EXPECT_EQ(marks, (std::vector<LiveMark>{{2, true, false}, {4, true, true}}));
    tally.Marks(3, 7, marks);
    EXPECT_EQ(marks, (std::vector<LiveMark>{{4, true, true}}));
    tally.FrameDeleted(3);
    tally.Marks(1, 7, marks);
    EXPECT_EQ(marks, (std::vector<LiveMark>{{2, true, false}, {3, true, true}}));
    EXPECT_EQ(tally.Frames().back().Slot, 6);
}

TEST(LineHealth, TextAndHint) {
    EXPECT_EQ(LineHealthText({40, 0, 0, 1.404, 1.436}, ","),
              "Линия: кадров: 40, с ошибками кадра: 0, пропусков: 0, интервал: в среднем 1,40 с, "
              "наибольший 1,44 с");
    EXPECT_EQ(LineHealthText({1, 1, 0, 0, 0}, "."),
              "Линия: кадров: 1, с ошибками кадра: 1, пропусков: 0");
    // Frequent: in more than one frame of ten, and in two at least.
    EXPECT_EQ(LineHealthHint({10, 1, 0, 0, 0}), "");
    EXPECT_EQ(LineHealthHint({20, 2, 0, 0, 0}), "");
    EXPECT_NE(LineHealthHint({20, 3, 0, 0, 0}).find("«Инверсный адаптер»"), std::string::npos);
}

} // namespace
} // namespace qv::test
