// Runs of reading as the window drives them: the receiver hands frames over, the commit timer
// commits them, the user stops and starts again, the receiver ends a run itself. The session
// must commit every frame handed over in its run exactly once, into consecutive slots, keep
// exactly those frames in the readings folder, end each run once and join its receiver.
#include "acquisition/receiver_test_support.h"
#include "app/keep_awake.h"
#include "app/reading_keeper.h"
#include "app/reading_session.h"
#include "files/readings_folder.h"
#include "files/recording_file.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
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
            EXPECT_EQ(state.StopFlag == 0, session.Reading());
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

// The window's side of a run: the receiver's news queued for the test's thread; handed-over
// frames wait for a commit tick that never comes.
struct QueuedFront : RunFront {
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<std::function<void()>> tasks;
    int handedOver = 0;
    std::vector<RunEnding> ends;

    void Post(std::function<void()> task) override {
        std::lock_guard lock(mutex);
        tasks.push_back(std::move(task));
        posted.notify_all();
    }
    void FrameHandedOver() override { ++handedOver; }
    void LineRead(AcquisitionMode, ThreadPriorityLevel) override {}
    void RunEnded(const RunEnding& ending) override { ends.push_back(ending); }
    // Runs the queued tasks until `done` holds; false when it does not within ten seconds.
    bool RunUntil(const std::function<bool()>& done) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::unique_lock lock(mutex);
        while (!done()) {
            if (!posted.wait_until(lock, until, [this] { return !tasks.empty(); })) return false;
            const std::function<void()> task = std::move(tasks.front());
            tasks.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
        return true;
    }
};

struct CountingKeepAwake : KeepAwake {
    int holds = 0, releases = 0;
    void Hold() override { ++holds; }
    void Release() override { ++releases; }
};

// The receiver thread of a run on `line`, in virtual time, ending a second after its last change
// (`counter` false: the machine has no high-resolution counter). `returned` is set as it returns.
ReceiverStarter VirtualReceiver(const LineRecording& line, bool counter,
                                std::atomic<bool>& returned) {
    return [&line, counter, &returned](ReadingState& state, std::uint64_t generation, bool,
                                       ReceiverCallbacks callbacks) {
        return std::thread([&state, &line, &returned, counter, generation,
                            callbacks = std::move(callbacks)] {
            VirtualLine virtualLine(line, 1'000'000, 20'000, line.LastChangeNs() + 1'000'000'000);
            NoCounterClock noCounter;
            TickClock& clock = counter ? static_cast<TickClock&>(virtualLine) : noCounter;
            LineReceiver(state, generation, virtualLine, clock, virtualLine, LinePolarity::Straight,
                         callbacks)
                .Run();
            returned = true;
        });
    };
}

// The receiver ends the run itself: the frames it handed over that no tick has committed yet
// are committed, and the run ends once (the machine is let sleep once), the session no longer
// reading.
TEST(ReadingSession, AnEndTheReceiverReportsCommitsThePendingFramesAndEndsTheRunOnce) {
    const LineRecording line = EncodeLine({Frame(Bytes{1}), Frame(Bytes{2}), Frame(Bytes{3})});
    for (const auto& [counter, cause, frames] :
         {std::tuple{true, RunEnd::LineEnded, 3}, std::tuple{false, RunEnd::NoCounter, 0}}) {
        ProgramState state;
        QueuedFront front;
        CountingKeepAwake awake;
        std::atomic<bool> returned = false;
        ReadingSession session(state, nullptr, &awake, VirtualReceiver(line, counter, returned));
        session.Start({}, false, front);
        ASSERT_TRUE(front.RunUntil([&] { return !front.ends.empty(); }));
        EXPECT_EQ(front.ends[0].cause, cause);
        EXPECT_EQ(front.ends[0].lastSlot, frames);
        EXPECT_EQ(front.handedOver, frames);
        EXPECT_FALSE(session.Reading());
        EXPECT_EQ(state.FrameCount, frames + 1);
        for (int n = 1; n <= frames; ++n) EXPECT_EQ(state.store.Row(n).Analog[0], n);
        session.JoinReceiver();
        (void)session.End(RunEnd::Stop, 0.5);
        EXPECT_EQ(std::tuple(awake.holds, awake.releases), std::tuple(1, 1));
    }
}

// The program ends while its receiver still reads: the session stops and joins it before the
// state it reads goes.
TEST(ReadingSession, GoesOnlyOnceItsReceiverHasReturned) {
    LineRecording endless = EncodeLine({Frame(Bytes{1})});
    endless.Changes.push_back({3'600'000'000'000, 1}); // an hour of idle line
    auto state = std::make_unique<ProgramState>();
    QueuedFront front;
    std::atomic<bool> returned = false;
    auto session = std::make_unique<ReadingSession>(*state, nullptr, nullptr,
                                                    VirtualReceiver(endless, true, returned));
    session->Start({}, false, front);
    ASSERT_TRUE(front.RunUntil([&] { return front.handedOver == 1; }));
    EXPECT_FALSE(returned);
    session.reset();
    EXPECT_TRUE(returned);
    state.reset();
}

} // namespace
} // namespace qv::test
