// Keeping the machine awake against a fake logind (tests/fake_login1) on a private bus: a
// dbus-daemon of the test's own, which the program reaches as its system bus through
// DBUS_SYSTEM_BUS_ADDRESS. The lock must be taken when a reading starts and end when it stops,
// when the reading process is killed, and a missing bus or logind must change nothing.
#include "app/program_state.h"
#include "app/reading_session.h"
#include "desktop/machine_keep_awake.h"
#include "recording/frame_time.h"

#include "child_process.h"
#include "text_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::ExitStatus;
using test::Lines;
using test::ReadFile;
using test::Spawn;

// Whether `done` comes true within 10 s.
bool WaitFor(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

const std::string Taken = "Inhibit\tsleep:idle\tQuintovar\t"
                          "Идёт чтение блока управления двигателем\tblock";

// A folder of the test's own, where the companion's readings go.
class ReadingInTestFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/qv_keep_awake_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        if (!dir.empty()) fs::remove_all(dir);
    }

    // quintovar-cli read SIM with this system bus; its readings go into the test's folder.
    pid_t StartReading(const std::string& busAddress, const std::string& frames) {
        return Spawn({QV_CLI_PATH, "read", "SIM", "--frames", frames},
                     {"HOME=" + (dir / "home").string(), "XDG_DATA_HOME=" + (dir / "data").string(),
                      "LC_ALL=C.UTF-8", "DBUS_SYSTEM_BUS_ADDRESS=" + busAddress},
                     dir / "read.out", dir / "read.err");
    }
    // The reading ran as always, kept its file and said nothing of the bus: every line it
    // wrote to stderr is one of its own reports (a warning of Qt's would start otherwise).
    void ExpectReadingAsAlways(int status, int frames) const {
        EXPECT_EQ(status, 0);
        EXPECT_EQ(Lines(ReadFile(dir / "read.out")).size(), static_cast<std::size_t>(frames));
        for (const std::string& line : Lines(ReadFile(dir / "read.err")))
            EXPECT_EQ(line.rfind("quintovar-cli read: ", 0), 0u) << line;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / "data/quintovar/readings"), {}), 1);
    }

    fs::path dir;
};

TEST_F(ReadingInTestFolder, WithoutASystemBusReadingGoesOnAsAlways) {
    ExpectReadingAsAlways(ExitStatus(StartReading("unix:path=" + (dir / "none").string(), "2")), 2);
}

// A dbus-daemon on a socket in the test's folder with the fake logind on it.
class KeepAwakeOnPrivateBus : public ReadingInTestFolder {
protected:
    void SetUp() override {
        if (std::string(QV_DBUS_DAEMON_PATH).empty())
            GTEST_SKIP() << "dbus-daemon was not found when configuring (Debian: dbus-daemon)";
        ReadingInTestFolder::SetUp();
        // A bus that lets everyone own any name, send and receive anything; it stays this user's.
        std::ofstream(dir / "bus.conf")
            << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN\""
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig>\n"
               "  <listen>unix:path="
            << (dir / "bus").string()
            << "</listen>\n"
               "  <auth>EXTERNAL</auth>\n"
               "  <policy context=\"default\">\n"
               "    <allow user=\"*\"/>\n"
               "    <allow own=\"*\"/>\n"
               "    <allow send_destination=\"*\"/>\n"
               "    <allow receive_sender=\"*\"/>\n"
               "  </policy>\n"
               "</busconfig>\n";
        daemon = Spawn({QV_DBUS_DAEMON_PATH, "--config-file=" + (dir / "bus.conf").string(),
                        "--nofork", "--nopidfile", "--print-address"},
                       {}, dir / "address.txt", dir / "daemon.err");
        // It prints its address once it listens.
        ASSERT_TRUE(WaitFor([&] { return Lines(ReadFile(dir / "address.txt")).size() == 1; }))
            << ReadFile(dir / "daemon.err");
        address = "unix:path=" + (dir / "bus").string();
        login1 = Spawn({QV_FAKE_LOGIN1_PATH, address, (dir / "login1.log").string()}, {},
                       dir / "login1.out", dir / "login1.err");
        ASSERT_TRUE(WaitFor([&] { return fs::exists(dir / "login1.log"); }))
            << ReadFile(dir / "login1.err");
    }
    void TearDown() override {
        for (const pid_t child : {login1, daemon}) {
            if (child <= 0) continue;
            kill(child, SIGTERM);
            ExitStatus(child);
        }
        ReadingInTestFolder::TearDown();
    }

    std::vector<std::string> Log() const { return Lines(ReadFile(dir / "login1.log")); }
    // Whether the fake comes to have given out `taken` locks and seen `released` of them end.
    // Its threads log an end and the next lock in either order when a restart comes quickly.
    bool LocksBecome(long taken, long released) const {
        return WaitFor([&] {
            const std::vector<std::string> log = Log();
            return std::count(log.begin(), log.end(), Taken) == taken &&
                   std::count(log.begin(), log.end(), "released") == released &&
                   log.size() == static_cast<std::size_t>(taken + released);
        });
    }

    std::string address;
    pid_t daemon = 0, login1 = 0;
};

TEST_F(KeepAwakeOnPrivateBus, TheCompanionsReadingHoldsTheLockUntilItEnds) {
    ExpectReadingAsAlways(ExitStatus(StartReading(address, "2")), 2);
    EXPECT_TRUE(LocksBecome(1, 1)) << ReadFile(dir / "login1.log");
}

TEST_F(KeepAwakeOnPrivateBus, AKilledReadingReleasesTheLock) {
    const pid_t reading = StartReading(address, "100");
    // Killed once it has taken the lock and read a frame.
    const bool readAFrame = WaitFor([&] { return !Lines(ReadFile(dir / "read.out")).empty(); });
    const std::vector<std::string> logWhileReading = Log();
    kill(reading, SIGKILL);
    ExitStatus(reading);
    ASSERT_TRUE(readAFrame) << ReadFile(dir / "read.err");
    EXPECT_EQ(logWhileReading, std::vector<std::string>{Taken});
    EXPECT_TRUE(LocksBecome(1, 1)) << ReadFile(dir / "login1.log");
}

TEST_F(KeepAwakeOnPrivateBus, WithoutLogindReadingGoesOnAsAlways) {
    kill(login1, SIGTERM);
    ExitStatus(std::exchange(login1, 0));
    ExpectReadingAsAlways(ExitStatus(StartReading(address, "2")), 2);
}

// In this process, as in the window: the lock is released at each stop, while the program goes
// on, and taken again by the next reading; a restart while reading is a stop and a start.
TEST_F(KeepAwakeOnPrivateBus, EachReadingOfASessionHoldsTheLockFromStartToStop) {
    ASSERT_EQ(setenv("DBUS_SYSTEM_BUS_ADDRESS", address.c_str(), 1), 0);
    const std::shared_ptr<KeepAwake> keepAwake = MachineKeepAwake();
    auto state = std::make_unique<ProgramState>();
    ReadingSession session(*state, nullptr, keepAwake.get());
    session.Start(NowLocalDateTime());
    EXPECT_TRUE(LocksBecome(1, 0));
    session.End(RunEnd::Stop, NowFrameTime());
    EXPECT_TRUE(LocksBecome(1, 1));
    session.Start(NowLocalDateTime());
    session.Start(NowLocalDateTime());
    EXPECT_TRUE(LocksBecome(3, 2)) << ReadFile(dir / "login1.log");
    session.End(RunEnd::Stop, NowFrameTime());
    EXPECT_TRUE(LocksBecome(3, 3)) << ReadFile(dir / "login1.log");
}

} // namespace
} // namespace qv
