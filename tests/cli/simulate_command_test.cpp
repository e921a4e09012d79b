#include "files/recording_file.h"
#include "recording/decoding.h"
#include "recording/frame_time.h"

#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace qv {
namespace {

namespace fs = std::filesystem;

class SimulateCommand : public test::CliTest {
protected:
    int Run(const std::string& arguments) { return RunCli("simulate " + arguments); }
};

TEST_F(SimulateCommand, RecordsAColdStartWithTheComment) {
#ifdef _WIN32 // cmd.exe cannot pass a line break inside an argument
    const std::string comment = "Холодный пуск\\nпрогрев\\nперегазовки";
#else
    const std::string comment = "Холодный пуск\\nпрогрев\nперегазовки";
#endif
    ASSERT_EQ(Run("\"" + File("demo.kvr") + "\" --frames 5 --seed 42 --comment " + Quoted(comment)),
              0)
        << Read(File("stderr.txt"));
    const std::string bytes = Read(File("demo.kvr"));
    // 129 lines with the first frame, 41 for each further one, and the three comment lines
    // (split at the two characters \n and at a line break).
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 129 + 41 * 4 + 3);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 129 + 41 * 4 + 3);

    const RecordingLoad load = ParseRecording(bytes);
    ASSERT_TRUE(load.status.ok()) << load.status.message;
    const RecordingDocument& document = load.document;
    ASSERT_EQ(document.Length(), 5);
    EXPECT_EQ(document.comment,
              (std::vector<std::string>{"Холодный пуск", "прогрев", "перегазовки"}));
    for (const auto& column : document.samples)
        EXPECT_TRUE(std::all_of(column.begin(), column.end(), [](auto& s) { return s.empty(); }));
    for (const std::string& marker : document.markers) EXPECT_EQ(marker, "0");

    auto store = std::make_unique<RecordingStore>();
    ApplyToStore(document, *store);
    const DisplaySettings settings;
    EXPECT_EQ(TimeOfDayText(store->Row(1).FrameTime).substr(0, 6), "10:00:");
    for (int n = 1; n <= 5; ++n) {
        const FrameRow& row = store->Row(n);
        const long double rpm = ParameterValue(4, row.Analog[3], settings);
        const long double coolant = ParameterValue(6, row.Analog[5], settings);
        EXPECT_TRUE(FlagBit(row, 12, 7)) << n;  // diagnosis good
        EXPECT_TRUE(FlagBit(row, 11, 1)) << n;  // cold engine
        EXPECT_FALSE(FlagBit(row, 11, 5)) << n; // no feedback while cold
        EXPECT_GT(coolant, 5) << n;
        EXPECT_LT(coolant, 30) << n;
        if (n <= 2) { // cranking: starter on, low speed
            EXPECT_TRUE(FlagBit(row, 12, 0)) << n;
            EXPECT_LT(rpm, 500) << n;
        } else { // fast cold idle
            EXPECT_FALSE(FlagBit(row, 12, 0)) << n;
            EXPECT_GT(rpm, 500) << n;
            EXPECT_LT(rpm, 3000) << n;
        }
        if (n > 1) {
            const double seconds = (row.FrameTime - store->Row(n - 1).FrameTime) * 86'400.0;
            EXPECT_GT(seconds, 0.5) << n;
            EXPECT_LT(seconds, 2.5) << n;
        }
    }
}

TEST_F(SimulateCommand, TheSameSeedGivesTheSameFile) {
    ASSERT_EQ(Run("\"" + File("a.kvr") + "\" --frames 5 --seed 7"), 0);
    ASSERT_EQ(Run("--seed 7 --frames 5 \"" + File("b.kvr") + "\""), 0);
    ASSERT_EQ(Run("\"" + File("c.kvr") + "\" --frames 5 --seed 8"), 0);
    ASSERT_EQ(Run("\"" + File("default.kvr") + "\""), 0);
    const std::string a = Read(File("a.kvr"));
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, Read(File("b.kvr")));
    EXPECT_NE(a, Read(File("c.kvr")));
    // Without options: 200 frames of the unit behind "SIM", no comment.
    const RecordingLoad load = ParseRecording(Read(File("default.kvr")));
    ASSERT_TRUE(load.status.ok());
    EXPECT_EQ(load.document.Length(), 200);
    EXPECT_TRUE(load.document.comment.empty());
    ASSERT_EQ(Run("\"" + File("sim.kvr") + "\" --frames 3 --seed 1995 --comment " + Quoted("")), 0);
    const RecordingLoad sim = ParseRecording(Read(File("sim.kvr")));
    ASSERT_TRUE(sim.status.ok());
    for (int n = 0; n < 3; ++n) EXPECT_EQ(sim.document.frames[n], load.document.frames[n]) << n;
    EXPECT_TRUE(sim.document.comment.empty());
}

TEST_F(SimulateCommand, RefusesBadArgumentsAndUnwritableFiles) {
    const std::string out = "\"" + File("out.kvr") + "\"";
    for (const std::string& arguments :
         {std::string(""), out + " --frames 0", out + " --frames 2001", out + " --frames 5x",
          out + " --frames", out + " --seed -1", out + " --seed 18446744073709551616",
          out + " --comment", out + " --colour red", out + " " + out}) {
        EXPECT_EQ(Run(arguments), 2) << arguments;
        EXPECT_NE(Read(File("stderr.txt")).find("simulate"), std::string::npos) << arguments;
        EXPECT_FALSE(fs::exists(File("out.kvr"))) << arguments;
    }
    EXPECT_EQ(Run("\"" + File("no/such/dir/out.kvr") + "\" --frames 1"), 2);
    EXPECT_FALSE(Read(File("stderr.txt")).empty());
    EXPECT_EQ(Run(out + " --frames 2000 --frames 1"), 0); // the last one counts
    EXPECT_TRUE(fs::exists(File("out.kvr")));
}

} // namespace
} // namespace qv

namespace qv {
namespace {

// The bundled sample that scripts/run opens: intact (binary line ends), and it shows what its
// comment promises.
TEST(DemoRecording, LoadsAndShowsAColdStartWarmingUpWithRevs) {
    const RecordingLoad load = LoadRecordingFile(QV_SOURCE_DIR "/samples/demo.kvr");
    ASSERT_TRUE(load.status.ok()) << load.status.message;
    const RecordingDocument& document = load.document;
    ASSERT_EQ(document.Length(), 200);
    ASSERT_EQ(document.comment.size(), 3u);
    EXPECT_EQ(document.comment[0], "Демонстрационная запись: имитация блока (SIM).");

    auto store = std::make_unique<RecordingStore>();
    ApplyToStore(document, *store);
    const DisplaySettings settings;
    const auto value = [&](int n, int p) {
        return ParameterValue(p, store->Row(n).Analog[p - 1], settings);
    };
    EXPECT_TRUE(FlagBit(store->Row(1), 12, 0));  // starter
    EXPECT_TRUE(FlagBit(store->Row(10), 11, 1)); // cold engine
    EXPECT_FALSE(FlagBit(store->Row(10), 11, 5));
    EXPECT_FALSE(FlagBit(store->Row(200), 11, 1));
    EXPECT_LT(value(1, 6), 20);
    EXPECT_GT(value(200, 6), 60);
    int revs = 0, feedback = 0;
    for (int n = 2; n <= 200; ++n) {
        EXPECT_GE(value(n, 6), value(n - 1, 6)) << n; // coolant never falls
        EXPECT_TRUE(FlagBit(store->Row(n), 12, 7)) << n;
        revs += value(n, 4) > 2000 && value(n - 1, 4) < 2000;
        feedback += n > 150 && FlagBit(store->Row(n), 11, 5);
    }
    EXPECT_GE(revs, 2);
    EXPECT_GT(feedback, 35);
    EXPECT_LT((store->Row(200).FrameTime - store->Row(1).FrameTime) * 1440.0, 6.0); // minutes
}

} // namespace
} // namespace qv
