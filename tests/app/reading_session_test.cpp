// Runs of reading as the window drives them: the receiver hands frames over, the commit timer
// commits them, the user stops and starts again, the receiver ends a run itself. The session
// must commit every frame handed over in its run exactly once, into consecutive slots, keep
// exactly those frames in the readings folder, end each run once and join its receiver.
#include "acquisition/line_receiver.h"
#include "acquisition/simulated_line.h"
#include "app/keep_awake.h"
#include "app/reading_keeper.h"
#include "app/reading_session.h"
#include "files/readings_folder.h"
#include "files/recording_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <random>
#include <thread>

namespace qv::test {
namespace {

namespace fs = std::filesystem;

fs::path NewFolder() {
    const fs::path folder =
        fs::temp_directory_path() / ("qv_session_" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    return folder;
}

// The byte 1 values of rows 1..length.
std::vector<int> Frames(const RecordingStore& store, int length) {
    std::vector<int> values;
    for (int n = 1; n <= length; ++n) values.push_back(store.Row(n).Analog[0]);
    return values;
}

// The byte 1 values of each kept reading, oldest first.
std::vector<std::vector<int>> KeptReadings(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::vector<std::vector<int>> readings;
    for (const std::string& name : names) {
        EXPECT_TRUE(name.ends_with(".kvr")) << name; // no journal is left behind
        const RecordingLoad load = LoadRecordingFile((folder / name).string());
        EXPECT_TRUE(load.status.ok()) << name;
        std::vector<int>& values = readings.emplace_back();
        for (const FrameRow& row : load.document.frames) values.push_back(row.Analog[0]);
    }
    return readings;
}

struct RunCase {
    const char* name;
    // S start, H the receiver hands the next frame over, C the commit timer's tick, X stop.
    const char* steps;
    std::vector<int> recording; // byte 1 of rows 1..length after the run (frame ids)
    std::vector<std::vector<int>> kept;
};

class ReadingSessionRuns : public ::testing::TestWithParam<RunCase> {};

TEST_P(ReadingSessionRuns, CommitAndKeepEveryFrameOfTheRunOnce) {
    const RunCase& run = GetParam();
    const fs::path folder = NewFolder();
    ProgramState state;
    int length = 0;
    {
        ReadingKeeper keeper(folder.string(), {});
        ReadingSession session(state, &keeper);
        std::uint64_t generation = 0;
        int nextId = 1, second = 0;
        for (const char step : std::string(run.steps)) {
            const double now = 1.0 + ++second / 86400.0;
            if (step == 'S') {
                // Each start is a second later, so each reading gets its own file name.
                generation = session.Start(FromFrameTime(now));
                EXPECT_EQ(state.FrameCount, 1);
            } else if (step == 'H') {
                LineFrame frame;
                for (int k = 0; k < 8; ++k) frame.DataSamples[k] = (nextId >> k) & 1;
                // Each frame's health names it: the run's tally must hold the run's frames.
                if (state.handOver.Publish(generation, frame.DataSamples, frame.HeaderSamples, 0,
                                           state.FrameCount, {0, nextId}))
                    ++nextId;
            } else if (step == 'C') {
                if (const int slot = session.CommitNext(now).slot) length = slot;
            } else if (const int slot = session.End(RunEnd::Stop, now).lastSlot) {
                length = slot;
            }
        }
        EXPECT_EQ(state.FrameCount, length + 1);
        EXPECT_EQ(Frames(state.store, length), run.recording);
        std::vector<int> tallied;
        for (const auto& entry : session.LineHealth().Frames()) {
            tallied.push_back(entry.Health.FramingFaults);
            EXPECT_EQ(entry.Slot, static_cast<int>(tallied.size()));
        }
        EXPECT_EQ(tallied, run.recording);
    } // the keeper finishes its work
    EXPECT_EQ(KeptReadings(folder), run.kept);
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ReadingSessionRuns,
    ::testing::Values(
        RunCase{"Stop", "SHCHCHCX", {1, 2, 3}, {{1, 2, 3}}},
        // Handed over before the stop: committed by it. After: refused, nothing to commit.
        RunCase{"FrameHandedOverAtTheStop", "SHCHXHC", {1, 2}, {{1, 2}}},
        RunCase{"Restart", "SHCHCXSHC", {3}, {{1, 2}, {3}}},
        // "Читать" while a run goes on: the old run ends with its pending frame.
        RunCase{"StartDuringARun", "SHCHSHC", {3}, {{1, 2}, {3}}},
        RunCase{"NoFrameNoFile", "SXSHCX", {1}, {{1}}},
        // Commit ticks outside a run find nothing.
        RunCase{"StoppedTwice", "SHXXCC", {1}, {{1}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadingSession, EndsTheRunAfterTheStoresLastSlot) {
    ProgramState state;
    ReadingSession session(state);
    const std::uint64_t generation = session.Start({});
    LineFrame frame;
    ReadingSession::Commit commit;
    for (int n = 1; n <= MaxFrames; ++n) {
        ASSERT_TRUE(session.Reading());
        ASSERT_TRUE(state.handOver.Publish(generation, frame.DataSamples, frame.HeaderSamples, 0,
                                           state.FrameCount));
        commit = session.CommitNext(0.5);
        ASSERT_EQ(commit.slot, n);
    }
    EXPECT_TRUE(commit.storeFull);
    EXPECT_FALSE(session.Reading());
    EXPECT_EQ(state.FrameCount, MaxFrames + 1);
    EXPECT_FALSE(
        state.handOver.Publish(generation, frame.DataSamples, frame.HeaderSamples, 0, MaxFrames));
    EXPECT_EQ(session.CommitNext(0.5).slot, 0);
}

// A front like the window's: handed-over frames wait for a commit tick that never comes.
struct Front : QueuedRunFront {
    int handedOver = 0;
    std::vector<RunEnding> ends;
    void FrameHandedOver() override { ++handedOver; }
    void LineRead(AcquisitionMode, ThreadPriorityLevel) override {}
    void RunEnded(const RunEnding& ending) override { ends.push_back(ending); }
    // Runs the receiver's news until `done` holds, for ten seconds at most.
    bool RunUntil(const std::function<bool()>& done) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done() && std::chrono::steady_clock::now() < until) RunTasks(until);
        return done();
    }
};

struct CountingKeepAwake : KeepAwake {
    int holds = 0, releases = 0;
    void Hold() override { ++holds; }
    void Release() override { ++releases; }
};

// The receiver thread of a run on the simulated unit's line in virtual time, which ends at
// `endNs` (`frequency` 0: the machine has no high-resolution counter). It sets `returned` as it
// returns.
ReceiverStarter SimulatedReceiver(std::int64_t frequency, std::int64_t endNs,
                                  std::atomic<bool>& returned) {
    return [=, &returned](ReadingState& state, std::uint64_t generation, bool,
                          ReceiverCallbacks callbacks) {
        return std::thread([=, &state, &returned] {
            SimulatedVirtualLine line(SimulatedUnitSeed, frequency, 20'000, endNs);
            LineReceiver(state, generation, line, line, line, LinePolarity::Straight, callbacks)
                .Run();
            returned = true;
        });
    };
}

// The receiver ends the run itself: the frames it handed over that no tick has committed yet
// are committed, and the run ends once (the machine is let sleep once).
TEST(ReadingSession, AnEndTheReceiverReportsCommitsThePendingFramesAndEndsTheRunOnce) {
    for (const auto& [frequency, cause] :
         {std::pair{1'000'000, RunEnd::LineEnded}, std::pair{0, RunEnd::NoCounter}}) {
        ProgramState state;
        Front front;
        CountingKeepAwake awake;
        std::atomic<bool> returned = false;
        ReadingSession session(state, nullptr, &awake,
                               SimulatedReceiver(frequency, 4'000'000'000, returned));
        session.Start({}, false, front);
        ASSERT_TRUE(front.RunUntil([&] { return !front.ends.empty(); }));
        const RunEnding& end = front.ends[0];
        EXPECT_EQ(std::tuple(end.cause, end.lastSlot, state.FrameCount.load()),
                  std::tuple(cause, front.handedOver, front.handedOver + 1));
        EXPECT_EQ(front.handedOver, frequency > 0 ? 2 : 0); // the unit's in four seconds
        EXPECT_FALSE(session.Reading());
        (void)session.End(RunEnd::Stop, 0.5);
        EXPECT_EQ(std::tuple(awake.holds, awake.releases), std::tuple(1, 1));
    }
}

// The program ends while its receiver still reads: the session stops and joins it before the
// state that it reads goes.
TEST(ReadingSession, GoesOnlyOnceItsReceiverHasReturned) {
    auto state = std::make_unique<ProgramState>();
    Front front;
    std::atomic<bool> returned = false;
    auto session = std::make_unique<ReadingSession>(
        *state, nullptr, nullptr,
        SimulatedReceiver(1'000'000, std::numeric_limits<std::int64_t>::max(), returned));
    session->Start({}, false, front);
    ASSERT_TRUE(front.RunUntil([&] { return front.handedOver >= 1; }));
    EXPECT_FALSE(returned);
    session.reset();
    EXPECT_TRUE(returned);
    state.reset();
}

} // namespace
} // namespace qv::test
