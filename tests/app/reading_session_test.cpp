// A run of reading on virtual time, as the window drives it: the receiver hands frames over
// with the slot it sees, the commit timer commits them, the user stops and starts again. The
// session must commit every frame handed over in its run exactly once, into consecutive slots,
// and keep exactly those frames in the readings folder.
#include "app/reading_keeper.h"
#include "app/reading_session.h"
#include "files/readings_folder.h"
#include "files/recording_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

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
            } else if (const int slot = session.Stop(now)) {
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

// Only the session writes the stop flag and the slot of the next frame.
TEST(ReadingSession, IsTheOnlyWriterOfTheStopFlagAndTheSlot) {
    const std::regex write(R"((StopFlag|FrameCount)\s*(=[^=]|\+\+|--|\+=|-=|\.store|\.fetch_))");
    for (const char* folder : {"app", "ui", "cli"})
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(QV_SOURCE_DIR) / folder)) {
            if (entry.path().filename() == "reading_session.cpp") continue;
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number)
                EXPECT_FALSE(std::regex_search(line, write)) << entry.path() << ":" << number;
        }
}

} // namespace
} // namespace qv::test
