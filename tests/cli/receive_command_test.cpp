#include "acquisition/line_encoder.h"

#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace qv {
namespace {

namespace fs = std::filesystem;

class ReceiveCommand : public test::CliTest {
protected:
    // The line as a line file, "<seconds> <level>" with nine decimals.
    void WriteLine(const std::string& name, const LineRecording& line, bool invert = false) {
        std::ofstream out(File(name), std::ios::binary);
        for (const LevelChange& change : line.Changes) {
            char text[64];
            std::snprintf(text, sizeof text, "%lld.%09lld %d\n",
                          static_cast<long long>(change.TimeNs / 1'000'000'000),
                          static_cast<long long>(change.TimeNs % 1'000'000'000),
                          invert ? 1 - change.Level : change.Level);
            out << text;
        }
    }
    int Run(const std::string& arguments) { return RunCli("receive " + arguments); }
};

EncodedFrame Frame(std::vector<std::uint8_t> bytes) {
    EncodedFrame frame;
    frame.Bytes = std::move(bytes);
    return frame;
}

TEST_F(ReceiveCommand, PrintsEveryFrameOfStraightAndInvertedLines) {
    EncodedFrame second = Frame({0, 255, 1, 128, 85, 170, 15, 240, 7, 224, 127, 254, 99});
    const LineRecording line =
        EncodeLine({Frame({215, 61, 231, 167, 111, 126, 111, 157, 56, 210, 18, 142}), second});
    const std::string expected = "100110011001 215 61 231 167 111 126 111 157 56 210 18 142 0\n"
                                 "100110011001 0 255 1 128 85 170 15 240 7 224 127 254 1\n";
    WriteLine("straight.txt", line);
    ASSERT_EQ(Run("\"" + File("straight.txt") + "\""), 0) << Read(File("stderr.txt"));
    EXPECT_EQ(Read(File("stdout.txt")), expected);

    WriteLine("inverted.txt", line, true);
    ASSERT_EQ(Run("\"" + File("inverted.txt") + "\" --inverted --frequency 3579545 --poll-ns 7000"),
              0);
    EXPECT_EQ(Read(File("stdout.txt")), expected);
    // The inverted file read as straight is the wrong cable: no such frames.
    ASSERT_EQ(Run("\"" + File("inverted.txt") + "\""), 0);
    EXPECT_EQ(Read(File("stdout.txt")).find("215 61 231"), std::string::npos);
}

TEST_F(ReceiveCommand, SlowReadsAndTheEdgeTimedPathGiveTheSameFrames) {
    LineTiming shortBits;
    shortBits.BitNs = 8'036'000; // 2 % short
    shortBits.JitterNs = 500'000;
    const LineRecording line =
        EncodeLine({Frame({215, 61, 231, 167, 111, 126, 111, 157, 56, 210, 18, 142}),
                    Frame({0, 255, 1, 128, 85, 170, 15, 240, 7, 224, 127, 254})},
                   shortBits);
    const std::string expected = "100110011001 215 61 231 167 111 126 111 157 56 210 18 142 0\n"
                                 "100110011001 0 255 1 128 85 170 15 240 7 224 127 254 0\n";
    WriteLine("short.txt", line);
    const std::string file = "\"" + File("short.txt") + "\" ";
    for (const char* options : {"", "--read-ns 2000000", "--edges", "--edges --wake-ns 1000000",
                                "--edges --wake-ns 1000000 --read-ns 2000000"}) {
        ASSERT_EQ(Run(file + options), 0) << options << Read(File("stderr.txt"));
        EXPECT_EQ(Read(File("stdout.txt")), expected) << options;
    }
    EXPECT_EQ(Run(file + "--wake-ns 1000"), 2); // a wake time belongs to the edge-timed path
    EXPECT_EQ(Run(file + "--read-ns x"), 2);
}

TEST_F(ReceiveCommand, RejectsMalformedFilesAndArguments) {
    std::ofstream(File("bad.txt")) << "0 1\n0.5 1\n0.25 0\n";
    EXPECT_EQ(Run("\"" + File("bad.txt") + "\""), 2);
    EXPECT_NE(Read(File("stderr.txt")).find("строка 3: время должно возрастать"), std::string::npos)
        << Read(File("stderr.txt"));
    EXPECT_EQ(Read(File("stdout.txt")), "");

    std::ofstream(File("good.txt")) << "0 1\n";
    EXPECT_EQ(Run("\"" + File("good.txt") + "\" --frequency 0"), 2);
    EXPECT_EQ(Run("\"" + File("good.txt") + "\" --poll-ns"), 2);
    EXPECT_EQ(Run("\"" + File("missing.txt") + "\""), 2);
    EXPECT_EQ(Run(""), 2);
    EXPECT_EQ(Run("\"" + File("good.txt") + "\""), 0);
    EXPECT_EQ(Read(File("stdout.txt")), "");
}

} // namespace
} // namespace qv
