// `quintovar-cli read` ended by Ctrl+C (SIGINT) or SIGTERM ends its reading as at its normal
// end: the reading becomes its recording at once, stderr names it, and the exit status is the
// shell's for that signal.
#include "child_process.h"
#include "cli_test_support.h"

#include "files/recording_file.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

namespace qv::test {
namespace {

namespace fs = std::filesystem;

using ReadCommand = CliTest;

TEST_F(ReadCommand, ReadEndedBySignalKeepsItsReadingAndSaysWhere) {
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const fs::path home = dir / std::to_string(signal), readings = home / "quintovar/readings";
        fs::create_directories(home);
        const pid_t child =
            Spawn({QV_CLI_PATH, "read", "SIM", "--frames", "50", "--seconds", "60"},
                  {"HOME=" + home.string(), "XDG_DATA_HOME=" + home.string(), "LC_ALL=C.UTF-8",
                   "DBUS_SYSTEM_BUS_ADDRESS=unix:path=" + (home / "no_bus").string()},
                  home / "out.txt", home / "err.txt");
        for (int waited = 0; Read((home / "out.txt").string()).empty() && waited < 300; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(50)); // the first frame
        ::kill(child, signal);
        EXPECT_EQ(ExitStatus(child), 128 + signal);
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(readings)) files.push_back(entry.path());
        ASSERT_EQ(files.size(), 1u); // the recording, no journal
        const RecordingLoad load = LoadRecordingFile(files[0].string());
        ASSERT_TRUE(load.status.ok()) << files[0];
        EXPECT_GE(load.document.Length(), 1);
        EXPECT_NE(Read((home / "err.txt").string()).find("сохранено: " + files[0].string()),
                  std::string::npos)
            << Read((home / "err.txt").string());
    }
}

// A readings folder that cannot be made (a file in its place): the frames are printed, and
// stderr says once that they are nowhere else.
TEST_F(ReadCommand, ReadWhoseFolderRefusesSaysOnceItsReadingIsNotOnDisk) {
    std::ofstream(dir / "quintovar") << "not a folder";
    const pid_t child =
        Spawn({QV_CLI_PATH, "read", "SIM", "--frames", "1", "--seconds", "30"},
              {"HOME=" + dir.string(), "XDG_DATA_HOME=" + dir.string(), "LC_ALL=C.UTF-8",
               "DBUS_SYSTEM_BUS_ADDRESS=unix:path=" + (dir / "no_bus").string()},
              dir / "out.txt", dir / "err.txt");
    EXPECT_EQ(ExitStatus(child), 0);
    EXPECT_FALSE(Read((dir / "out.txt").string()).empty());
    const std::string err = Read((dir / "err.txt").string());
    const std::size_t said = err.find("не записано на диск");
    EXPECT_TRUE(said != std::string::npos &&
                err.find("не записано на диск", said + 1) == std::string::npos)
        << err;
}

} // namespace
} // namespace qv::test
