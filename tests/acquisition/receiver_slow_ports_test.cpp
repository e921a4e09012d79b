// The receiver on ports as real adapters are: status reads that take milliseconds, change
// reports that come late or only at coarse moments, no change reports at all, a device that
// goes away; both the polling and the edge-timed path, on lines a little off.
#include "receiver_test_support.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

constexpr std::int64_t kMs = 1'000'000;
constexpr std::int64_t kBitNs = 8'200'000;

const std::vector<Bytes> kPatterns = {
    {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x0F, 0xA5, 0x5A, 0xC3},
    {255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0},
    {0x80, 0x01, 0x7F, 0xFE, 0xAA, 0x55, 0x81, 0x18, 0xC3, 0x3C, 1, 128},
    {0x55, 0x55, 0xAA, 0xAA, 0x00, 0xFF, 0x01, 0x80, 0x33, 0xCC, 0x0F, 0xF0},
};

LineRecording Line(double bitScale, std::int64_t jitterNs, std::uint64_t seed) {
    LineTiming timing;
    timing.BitNs = static_cast<std::int64_t>(static_cast<double>(kBitNs) * bitScale);
    timing.JitterNs = jitterNs;
    timing.JitterSeed = seed;
    std::vector<EncodedFrame> frames;
    for (const Bytes& bytes : kPatterns) frames.push_back(Frame(bytes, 17));
    return EncodeLine(frames, timing);
}

VirtualRun Read(const LineRecording& line, const VirtualPortBehaviour& port, bool edges) {
    VirtualRun run;
    run.port = port;
    run.edges = edges;
    run.Run(line);
    return run;
}

int FramesRight(const VirtualRun& run) {
    int right = 0;
    for (std::size_t i = 0; i < run.frames.size() && i < kPatterns.size(); ++i)
        right += run.frames[i].Data == kPatterns[i] &&
                 run.frames[i].Header == DefaultIdentifier() && run.frames[i].EndFlag == 0;
    return right;
}

VirtualPortBehaviour Port(std::int64_t readNs, std::int64_t wakeNs = 0, std::int64_t stepNs = 0) {
    VirtualPortBehaviour port;
    port.ReadNs = readNs;
    port.WakeNs = wakeNs;
    port.StatusStepNs = stepNs;
    port.ReportStepNs = stepNs;
    return port;
}

TEST(ReceiverOnSlowPorts, EveryFrameRightInBothPathsOnLinesALittleOff) {
    struct Case {
        const char* port;
        VirtualPortBehaviour behaviour;
    } cases[] = {
        {"fast reads", Port(20'000, 50'000)},
        {"1 ms reads", Port(1 * kMs, 200'000)},
        {"2 ms reads, reports 1 ms late", Port(2 * kMs, 1 * kMs)},
        {"FTDI-like: 1 ms reads, status on 1 ms boundaries", Port(1 * kMs, 0, 1 * kMs)},
    };
    for (const Case& c : cases)
        for (double bitScale : {0.98, 1.0, 1.02})
            for (std::uint64_t seed : {1, 2}) {
                const LineRecording line = Line(bitScale, kMs / 2, seed);
                const VirtualRun polled = Read(line, c.behaviour, false);
                const VirtualRun timed = Read(line, c.behaviour, true);
                const std::string what = std::string(c.port) + ", bits x" +
                                         std::to_string(bitScale) + ", seed " +
                                         std::to_string(seed);
                EXPECT_EQ(FramesRight(polled), 4) << what;
                EXPECT_EQ(FramesRight(timed), 4) << what;
                EXPECT_EQ(timed.mode, AcquisitionMode::EdgeTimed) << what;
                EXPECT_EQ(timed.frames, polled.frames) << what;
            }
}

TEST(ReceiverOnSlowPorts, WithoutChangeReportsTheEdgeTimedPathPolls) {
    VirtualPortBehaviour port = Port(1 * kMs);
    port.ReportsChanges = false;
    const VirtualRun run = Read(Line(1.0, kMs / 2, 3), port, true);
    EXPECT_EQ(run.mode, AcquisitionMode::Polling);
    EXPECT_EQ(FramesRight(run), 4);
}

TEST(ReceiverOnSlowPorts, ReportsOnlyEvery16MsAreDistrustedAndTheLineIsPolled) {
    // An FTDI chip with its default latency timer: the status is sent every 16 ms.
    VirtualPortBehaviour port = Port(1 * kMs, 0, 1 * kMs);
    port.ReportStepNs = 16 * kMs;
    const VirtualRun run = Read(Line(1.0, kMs / 2, 4), port, true);
    EXPECT_EQ(run.mode, AcquisitionMode::Polling);
    EXPECT_GE(run.unreportedChanges, 3);
    // Polled from the first frame's header on: at most that frame is spoilt.
    ASSERT_GE(run.frames.size(), 3u);
    EXPECT_GE(FramesRight(run), 3);
    EXPECT_EQ(run.frames.back().Data, kPatterns.back());
}

TEST(ReceiverOnSlowPorts, AMissedPairOfEdgesIsPlacedWhereTwoChangesLikelyWere) {
    // The waiting thread misses 20 ms amid the alternating bits of frame 3's byte 5 (0xAA): by
    // its next report the line has changed twice and the status read shows it as before.
    const LineRecording line = Line(1.0, 0, 1);
    const std::int64_t frame3 = (17 + 2 * (14 + 12 * 11 + 17)) * kBitNs;
    VirtualRun run;
    run.port = Port(20'000, 50'000);
    run.edges = true;
    run.stallAtNs = frame3 + (14 + 4 * 11 + 2) * kBitNs + kBitNs / 2;
    run.stallNs = 20 * kMs;
    run.Run(line);
    EXPECT_EQ(run.missedPairs, 1);
    EXPECT_EQ(run.mode, AcquisitionMode::EdgeTimed);
    ASSERT_EQ(run.frames.size(), 4u);
    EXPECT_EQ(run.frames[0].Data, kPatterns[0]);
    EXPECT_EQ(run.frames[1].Data, kPatterns[1]);
    EXPECT_EQ(run.frames[2].Data, kPatterns[2]);
    EXPECT_EQ(run.frames[3].Data, kPatterns[3]);
}

TEST(ReceiverOnSlowPorts, ALostDeviceEndsReadingWithoutAnotherFrameInBothPaths) {
    const LineRecording line = Line(1.0, 0, 1);
    const std::int64_t lostAt = 17 * kBitNs + (14 + 12 * 11) * kBitNs + 17 * kBitNs + 40 * kBitNs;
    for (bool edges : {false, true}) {
        VirtualPortBehaviour port = Port(1 * kMs, 100'000);
        port.LostAtNs = lostAt;
        const VirtualRun run = Read(line, port, edges);
        EXPECT_TRUE(run.deviceLost) << edges;
        ASSERT_EQ(run.frames.size(), 1u) << edges;
        EXPECT_EQ(run.frames[0].Data, kPatterns[0]) << edges;
        // Within the byte in hand (and the report margin), not a second later.
        EXPECT_LT(run.endTimeNs, lostAt + 12 * kBitNs) << edges;
    }
}

} // namespace
} // namespace qv::test
