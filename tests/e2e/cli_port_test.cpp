// The real quintovar-cli on a fake serial port (tests/fake_serial): the product's own port code
// opens, locks, configures and reads a pseudo-terminal that a preload library makes look like a
// serial port with a data line on DSR. Real time: each run takes a few seconds.
#include "acquisition/reading_notices.h"
#include "cli/frame_line.h"
#include "files/recording_file.h"

#include "child_process.h"
#include "text_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::Lines;
using test::ReadFile;
constexpr uid_t Nobody = 65534;

// Whether any thread of process `pid` runs with SCHED_FIFO (policy, field 41 of its stat).
bool HasRealTimeThread(pid_t pid) {
    std::error_code error;
    for (const auto& task :
         fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        const std::string stat = ReadFile(task.path() / "stat");
        std::istringstream fields(stat.substr(stat.rfind(')') + 1));
        std::string field;
        for (int n = 3; n <= 41 && fields >> field; ++n)
            if (n == 41 && field == "1") return true;
    }
    return false;
}

struct Result {
    int status = -1;
    std::string out, err;
    bool realTime = false; // a thread of the process ran with SCHED_FIFO
    double seconds = 0;    // how long it ran
};

class CliOnFakePort : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/qv_e2e_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        fs::permissions(dir, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        Exec({QV_MAKE_LINE_PATH, (dir / "line.txt").string(), "8"});
        expected = Lines(Exec({QV_CLI_PATH, "receive", (dir / "line.txt").string()}).out);
        ASSERT_EQ(expected.size(), 8u);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs a program with these environment entries, its output in files of `dir`.
    Result Exec(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
        const fs::path out = dir / "out.txt", err = dir / "err.txt";
        // Run in `dir`: nothing is read from the caller's folder, which an ordinary user may
        // not enter.
        const pid_t child = test::Spawn(args, env, out, err, dir);
        Result result;
        int status = 0;
        const auto start = std::chrono::steady_clock::now();
        while (waitpid(child, &status, WNOHANG) == 0) {
            result.realTime = result.realTime || HasRealTimeThread(child);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        result.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadFile(out);
        result.err = ReadFile(err);
        return result;
    }

    // quintovar-cli read on the fake port, with the fake's settings; as `user` when not root.
    std::vector<std::string> ReadCommand(const std::vector<std::string>& options,
                                         const std::vector<std::string>& fake,
                                         const std::string& cli = QV_CLI_PATH, uid_t user = 0) {
        std::vector<std::string> args;
        if (user != 0)
            args = {"/usr/bin/setpriv", "--reuid=" + std::to_string(user),
                    "--regid=" + std::to_string(user), "--clear-groups", "/usr/bin/env"};
        else
            args = {"/usr/bin/env"};
        args.insert(args.end(),
                    {"PATH=/usr/bin:/bin", "LC_ALL=C.UTF-8",
                     "GCOV_PREFIX=" + (dir / "gcov").string(), "LD_PRELOAD=" + fakeSerial,
                     "QV_FAKE_SERIAL_LINK=" + (dir / "port").string(),
                     "QV_FAKE_SERIAL_SCRIPT=" + (dir / "line.txt").string(),
                     "QV_FAKE_SERIAL_LOG=" + (dir / "log.txt").string()});
        args.insert(args.end(), fake.begin(), fake.end());
        args.insert(args.end(), {cli, "read", (dir / "port").string()});
        args.insert(args.end(), options.begin(), options.end());
        fs::remove(dir / "log.txt");
        return args;
    }
    Result Read(const std::vector<std::string>& options, const std::vector<std::string>& fake,
                const std::string& cli = QV_CLI_PATH, uid_t user = 0) {
        return Exec(ReadCommand(options, fake, cli, user));
    }

    // How many printed frames are frames of the line, in the line's order.
    int RightFrames(const std::string& out) {
        int right = 0;
        auto from = expected.begin();
        for (const std::string& frame : Lines(out)) {
            const auto found = std::find(from, expected.end(), frame);
            if (found == expected.end()) continue;
            ++right;
            from = found + 1;
        }
        return right;
    }

    // The ways of reading that `read` noted on stderr in the port box's words, in order
    // ("polling", "edge-timed").
    static std::vector<std::string> ModesNoted(const std::string& err) {
        const std::pair<AcquisitionMode, const char*> ways[] = {
            {AcquisitionMode::EdgeTimed, "edge-timed"}, {AcquisitionMode::Polling, "polling"}};
        std::vector<std::string> modes;
        for (const std::string& line : Lines(err))
            for (const auto& [mode, name] : ways) {
                const std::string text = AcquisitionText(mode, ThreadPriorityLevel::Normal);
                const std::string noted = "quintovar-cli read: " + text.substr(0, text.find(';'));
                if (line.rfind(noted + ";", 0) == 0) modes.push_back(name);
            }
        return modes;
    }

    // The way of reading as the device saw it (the fake's counts of use before the last
    // close): edge-timed when most status reads followed a reported change.
    std::string ModeSeenByTheDevice() {
        const std::string log = ReadFile(dir / "log.txt");
        int reads = 0, waits = 0, changed = 0;
        const std::size_t at = log.rfind("use ");
        if (at == std::string::npos ||
            std::sscanf(log.c_str() + at, "use TIOCMGET=%d TIOCMIWAIT=%d changed=%d", &reads,
                        &waits, &changed) != 3)
            return "unknown";
        return 2 * changed > reads ? "edge-timed" : "polling";
    }

    // The fake's log: event, DTR and RTS, and the terminal settings, one entry a line.
    struct Event {
        std::string name, outputs, settings;
    };
    std::vector<Event> Log() {
        std::vector<Event> events;
        for (const std::string& line : Lines(ReadFile(dir / "log.txt"))) {
            if (line.rfind("use ", 0) == 0) continue;
            std::istringstream in(line);
            Event event;
            std::string dtr, rts;
            in >> event.name >> dtr >> rts;
            event.outputs = dtr + " " + rts;
            std::getline(in, event.settings);
            events.push_back(event);
        }
        return events;
    }

    fs::path dir;
    std::vector<std::string> expected;
    std::string fakeSerial = QV_FAKE_SERIAL_PATH; // the preload library the runs take
};

// Change reports 0.2 ms late, status reads of 1 ms.
const std::vector<std::string> kReporting = {"QV_FAKE_SERIAL_READ_COST_US=1000",
                                             "QV_FAKE_SERIAL_LATENCY_US=200"};

// Each way of reading, chosen by what the port's driver offers, reads the line right and puts
// the port back as it was.
TEST_F(CliOnFakePort, ReadsFramesWithDtrOnInEachModeAndPutsThePortBackAsItWas) {
    struct Case {
        const char* name;
        std::vector<std::string> fake;
        std::vector<std::string> modes; // as noted on stderr
    } cases[] = {
        {"no change reports",
         {"QV_FAKE_SERIAL_READ_COST_US=1000", "QV_FAKE_SERIAL_NO_NOTIFY=1"},
         {"polling"}},
        {"change reports", kReporting, {"edge-timed"}},
        // An FTDI adapter reports the status every 16 ms of its latency timer: too late for
        // the edge-timed path, which falls back to polling.
        {"reports every 16 ms",
         {"QV_FAKE_SERIAL_READ_COST_US=1000", "QV_FAKE_SERIAL_QUANTUM_US=16000",
          "QV_FAKE_SERIAL_LATENCY_US=1000"},
         {"edge-timed", "polling"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Four frames, two of them right: the first may be lost while the way of reading
        // changes, and one more to a stall of a loaded machine.
        const Result run = Read({"--frames", "4", "--seconds", "15", "--dtr"}, c.fake);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ModesNoted(run.err), c.modes) << run.err;
        EXPECT_EQ(ModeSeenByTheDevice(), c.modes.back()) << ReadFile(dir / "log.txt");
        EXPECT_EQ(Lines(run.out).size(), 4u) << run.out;
        EXPECT_GE(RightFrames(run.out), 2) << run.out;
        if (geteuid() == 0) {
            EXPECT_TRUE(run.realTime) << "root's receiver must run SCHED_FIFO";
        }

        const std::vector<Event> log = Log();
        ASSERT_GE(log.size(), 4u) << ReadFile(dir / "log.txt");
        EXPECT_EQ(log.front().name, "open");
        // A field of the logged settings (octal, as logged).
        const auto field = [](const std::string& settings, const std::string& name) {
            const std::size_t at = settings.find(name + "=");
            return at == std::string::npos
                       ? ~0ul
                       : std::stoul(settings.substr(at + name.size() + 1), nullptr, 8);
        };
        const unsigned long canonicalEcho = ICANON | ECHO;
        EXPECT_EQ(field(log.front().settings, "lflag") & canonicalEcho, canonicalEcho)
            << "cooked when opened";
        // Chosen: raw at 57600 baud (B57600), DTR and RTS off; then DTR on.
        EXPECT_EQ(log[1].name, "outputs");
        EXPECT_EQ(log[1].outputs, "DTR=0 RTS=1");
        EXPECT_EQ(field(log[1].settings, "lflag") & canonicalEcho, 0u) << log[1].settings;
        EXPECT_EQ(std::stoul(log[1].settings.substr(log[1].settings.find("speed=") + 6)), B57600);
        EXPECT_EQ(log[2].outputs, "DTR=0 RTS=0");
        EXPECT_EQ(log[3].outputs, "DTR=1 RTS=0");
        EXPECT_EQ(log.back().name, "close");
        EXPECT_EQ(log.back().outputs, "DTR=1 RTS=1");
        EXPECT_EQ(log.back().settings, log.front().settings);
    }
}

TEST_F(CliOnFakePort, ReportsAPortThatWentAwayWhileReadingEdgeTimed) {
    std::vector<std::string> fake = kReporting;
    fake.push_back("QV_FAKE_SERIAL_VANISH_S=3.5");
    const Result run = Read({"--frames", "8", "--seconds", "12"}, fake);
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_EQ(ModesNoted(run.err), std::vector<std::string>{"edge-timed"}) << run.err;
    EXPECT_NE(run.err.find("перестал отвечать"), std::string::npos) << run.err;
    EXPECT_LT(run.seconds, 8.0) << "reading must end when the device goes, not at the time limit";
    EXPECT_GE(RightFrames(run.out), 1) << run.out; // what came before it went
    const std::vector<Event> log = Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().name, "close");
    EXPECT_NE(log.back().settings.find("unreadable"), std::string::npos);
}

TEST_F(CliOnFakePort, AnOrdinaryUserReadsWithRealTimePriorityFromTheHelper) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to become an ordinary user";
    // The program and its helper as the package installs them: the helper beside it, with the
    // one capability the package gives it. Everything the user runs is copied into the test's
    // folder, since the build's may lie where that user cannot enter (root's home).
    const fs::path bin = dir / "bin";
    fs::create_directories(bin);
    fs::copy_file(QV_CLI_PATH, bin / "quintovar-cli");
    fs::copy_file(QV_RT_HELPER_PATH, bin / "quintovar-rt");
    fs::copy_file(QV_FAKE_SERIAL_PATH, bin / "libqv_fake_serial.so");
    fakeSerial = (bin / "libqv_fake_serial.so").string();
    const std::string setcap = "setcap cap_sys_nice=ep '" + (bin / "quintovar-rt").string() + "'";
    if (std::system(setcap.c_str()) != 0) GTEST_SKIP() << "setcap is not available here";
    ASSERT_EQ(chown(dir.c_str(), Nobody, Nobody), 0);
    // The libraries it loads may lie out of the user's reach too (a Qt of one's own in root's
    // home): nothing to test then.
    const Result version = Exec({"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                 "--clear-groups", "/usr/bin/env", "LD_PRELOAD=" + fakeSerial,
                                 (bin / "quintovar-cli").string(), "--version"});
    if (version.status != 0 || !version.err.empty())
        GTEST_SKIP() << "an ordinary user cannot run the copied quintovar-cli here: "
                     << version.err;

    const Result run = Read({"--frames", "2", "--seconds", "12"}, kReporting,
                            (bin / "quintovar-cli").string(), Nobody);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_GE(RightFrames(run.out), 1) << run.out;
    EXPECT_TRUE(run.realTime) << "the helper did not give the receiver real-time priority";
    const std::string realTime =
        AcquisitionText(AcquisitionMode::EdgeTimed, ThreadPriorityLevel::TimeCritical);
    EXPECT_NE(run.err.find(realTime), std::string::npos) << run.err;
    EXPECT_EQ(Log().back().settings, Log().front().settings);

    // Without the helper the user's receiver runs, but not in real time.
    fs::remove(bin / "quintovar-rt");
    const Result plain = Read({"--frames", "1", "--seconds", "8"}, kReporting,
                              (bin / "quintovar-cli").string(), Nobody);
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_FALSE(plain.realTime);
    EXPECT_EQ(plain.err.find(realTime), std::string::npos) << plain.err;
    EXPECT_NE(plain.err.find(LowPriorityText()), std::string::npos) << plain.err;
}

// A frame line that `read` printed, and when the test got it: after it was printed, so after
// its frame was committed.
struct Printed {
    std::string line;
    std::chrono::steady_clock::time_point at;
};

// Runs `args` with its standard output in a pipe, time-stamps each line as it comes and kills
// the process with SIGKILL `killAfter` seconds after its first line (or after 20 s without
// one). Lines still in the pipe then were printed before the kill, at an unknown moment: they
// get the kill's time. `killedAt` is taken just before the kill.
std::vector<Printed> RunUntilKilled(const std::vector<std::string>& args, const fs::path& err,
                                    double killAfter,
                                    std::chrono::steady_clock::time_point& killedAt) {
    using Clock = std::chrono::steady_clock;
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], 1);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(e, 2);
        if (chdir(err.parent_path().c_str()) != 0) _exit(127);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        char* noEnvironment[] = {nullptr};
        execve(argv[0], argv.data(), noEnvironment);
        _exit(127);
    }
    close(out[1]);
    std::vector<Printed> printed;
    std::string partial;
    const auto take = [&](Clock::time_point at) {
        char buffer[4096];
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0) return false;
        partial.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t end; (end = partial.find('\n')) != std::string::npos;) {
            printed.push_back({partial.substr(0, end), at});
            partial.erase(0, end + 1);
        }
        return true;
    };
    Clock::time_point killAt = Clock::now() + std::chrono::seconds(20);
    bool timed = false;
    for (Clock::time_point now; (now = Clock::now()) < killAt;) {
        pollfd ready{out[0], POLLIN, 0};
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(killAt - now);
        if (poll(&ready, 1, static_cast<int>(wait.count()) + 1) > 0 && !take(Clock::now()))
            break; // the program ended by itself
        if (!timed && !printed.empty()) {
            timed = true;
            killAt = printed.front().at + std::chrono::duration_cast<Clock::duration>(
                                              std::chrono::duration<double>(killAfter));
        }
    }
    killedAt = Clock::now();
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    while (take(killedAt)) {
    }
    close(out[0]);
    return printed;
}

// `read` killed with SIGKILL at moments after its first frame; the next start completes the
// reading, which holds every frame printed at least 2 s before the kill, as it was printed.
TEST_F(CliOnFakePort, TheNextStartRecoversEveryFrameCommittedTwoSecondsBeforeAKill) {
    const fs::path readings = dir / "data" / "quintovar" / "readings";
    // Everything the program keeps or reaches stays in the test's folder.
    const std::vector<std::string> own = {
        "HOME=" + dir.string(), "XDG_DATA_HOME=" + (dir / "data").string(),
        "XDG_CONFIG_HOME=" + (dir / "config").string(),
        "XDG_RUNTIME_DIR=" + (dir / "runtime").string(),
        // no real sleep inhibitor
        "DBUS_SYSTEM_BUS_ADDRESS=unix:path=" + (dir / "no_system_bus").string()};
    std::vector<std::string> fake = kReporting;
    fake.insert(fake.end(), own.begin(), own.end());
    const std::string recovered = "quintovar-cli read: Восстановлено незавершённое чтение: ";
    for (const double killAfter : {2.1, 4.4, 6.9}) { // seconds after the first frame
        SCOPED_TRACE(killAfter);
        std::chrono::steady_clock::time_point killedAt;
        const std::vector<Printed> printed =
            RunUntilKilled(ReadCommand({"--frames", "100", "--seconds", "30"}, fake),
                           dir / "err.txt", killAfter, killedAt);
        const auto required = std::count_if(printed.begin(), printed.end(), [&](const Printed& p) {
            return killedAt - p.at >= std::chrono::seconds(2);
        });
        ASSERT_GE(required, 1) << ReadFile(dir / "err.txt");

        // The next start: the message names the recording completed from the journal.
        std::vector<std::string> next = {"/usr/bin/env", "LC_ALL=C.UTF-8"};
        next.insert(next.end(), own.begin(), own.end());
        next.insert(next.end(), {QV_CLI_PATH, "read", "SIM", "--frames", "1"});
        const Result run = Exec(next);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::size_t at = run.err.find(recovered);
        ASSERT_NE(at, std::string::npos) << run.err;
        std::string name = Lines(run.err.substr(at + recovered.size())).front(); // its path
        name = name.substr(0, name.find(" (кадров: "));
        const RecordingLoad load = LoadRecordingFile((readings / name).string());
        ASSERT_TRUE(load.status.ok()) << name << ": " << load.status.message;

        // Every frame printed 2 s before the kill, as printed; at most the one frame committed
        // and not yet printed beyond them.
        const std::vector<FrameRow>& frames = load.document.frames;
        EXPECT_GE(frames.size(), static_cast<std::size_t>(required));
        EXPECT_LE(frames.size(), printed.size() + 1);
        for (std::size_t i = 0; i < std::min(frames.size(), printed.size()); ++i)
            EXPECT_EQ(cli::FrameLine(frames[i]), printed[i].line) << "frame " << i + 1;
        for (const auto& entry : fs::directory_iterator(readings))
            EXPECT_NE(entry.path().extension(), ".journal") << entry.path();
    }
}

// The fake itself, as a program waiting for modem changes sees it.
TEST_F(CliOnFakePort, FakePortKeepsTheKernelsMeaningOfChangeNotification) {
    std::ofstream(dir / "line.txt") << "0 1\n0.100 0\n0.103 1\n0.200 0\n0.300 1\n";
    const auto probe = [&](std::vector<std::string> settings) {
        std::vector<std::string> args = {
            "/usr/bin/env", std::string("LD_PRELOAD=") + QV_FAKE_SERIAL_PATH,
            "QV_FAKE_SERIAL_LINK=" + (dir / "port").string(),
            "QV_FAKE_SERIAL_SCRIPT=" + (dir / "line.txt").string(), "QV_FAKE_SERIAL_VANISH_S=0.45"};
        args.insert(args.end(), settings.begin(), settings.end());
        args.insert(args.end(), {QV_PROBE_PATH, (dir / "port").string()});
        return Lines(Exec(args).out);
    };
    // "wait MS COUNT LEVEL": when a wait returned, the DSR counter and the level then.
    const auto wait = [](const std::string& line, double& ms, int& count, int& level) {
        std::istringstream in(line);
        std::string word;
        return static_cast<bool>(in >> word >> ms >> count >> level) && word == "wait";
    };
    double ms = 0;
    int count = 0, level = 0;

    std::vector<std::string> lines = probe({});
    ASSERT_GE(lines.size(), 4u);
    ASSERT_TRUE(wait(lines[0], ms, count, level)) << lines[0];
    EXPECT_GE(ms, 99.9);
    EXPECT_GE(count, 1);
    ASSERT_TRUE(wait(lines[lines.size() - 3], ms, count, level));
    EXPECT_GE(ms, 299.9);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(level, 1);
    // Gone at 450 ms: the wait ends with EIO, and so does everything after it.
    EXPECT_EQ(lines[lines.size() - 2], "error TIOCMIWAIT EIO");
    EXPECT_EQ(lines.back(), "error TIOCGICOUNT EIO");

    // Reports every 16 ms, 2 ms late: the 3 ms pulse at 100 ms is never seen.
    lines = probe({"QV_FAKE_SERIAL_QUANTUM_US=16000", "QV_FAKE_SERIAL_LATENCY_US=2000"});
    ASSERT_EQ(lines.size(), 4u);
    ASSERT_TRUE(wait(lines[0], ms, count, level));
    EXPECT_GE(ms, 209.9); // the change at 200 ms, reported at 208 ms
    EXPECT_EQ(count, 1);
    ASSERT_TRUE(wait(lines[1], ms, count, level));
    EXPECT_GE(ms, 305.9);
    EXPECT_EQ(count, 2);

    EXPECT_EQ(probe({"QV_FAKE_SERIAL_NO_NOTIFY=1"}),
              (std::vector<std::string>{"error TIOCMIWAIT ENOTTY", "error TIOCGICOUNT EINVAL"}));
}

// The program's own port code waiting for changes on the fake: a driver without change
// reports gives Unsupported, a wait ends at its time-out (the timer's signal interrupts the
// driver's wait) or at once when another thread closes the port, and a device that goes away
// is lost.
TEST_F(CliOnFakePort, PortCodeWaitsForChangesAsTheDriverAllows) {
    std::ofstream(dir / "line.txt") << "0 1\n"; // a line that never changes
    struct Case {
        const char* name;
        std::string fake, closeAfterMs;
        const char *first, *second; // "<result> <gone>", each wait's duration checked apart
        double firstMs, secondMs;   // about how long each wait takes
    } cases[] = {
        {"no change reports", "QV_FAKE_SERIAL_NO_NOTIFY=1", "100", "Unsupported 0", "Unsupported 0",
         0, 0},
        {"closed while waiting", "QV_FAKE_SERIAL_LATENCY_US=0", "100", "TimedOut 0", "Lost 0", 50,
         100},
        {"device gone", "QV_FAKE_SERIAL_VANISH_S=0.02", "0", "Lost 1", "Lost 1", 20, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> lines =
            Lines(Exec({"/usr/bin/env", std::string("LD_PRELOAD=") + QV_FAKE_SERIAL_PATH,
                        "QV_FAKE_SERIAL_LINK=" + (dir / "port").string(),
                        "QV_FAKE_SERIAL_SCRIPT=" + (dir / "line.txt").string(), c.fake,
                        QV_PORT_WAIT_PROBE_PATH, (dir / "port").string(), c.closeAfterMs})
                      .out);
        ASSERT_EQ(lines.size(), 2u) << "a wait did not end";
        const auto check = [](const std::string& line, const std::string& expected, double ms) {
            std::istringstream in(line);
            std::string result, gone;
            double took = -1;
            in >> result >> took >> gone;
            EXPECT_EQ(result + " " + gone, expected) << line;
            // Not before its time, and not much after it on a loaded machine.
            EXPECT_GE(took, ms * 0.9) << line;
            EXPECT_LT(took, ms + 1000) << line;
        };
        check(lines[0], c.first, c.firstMs);
        check(lines[1], c.second, c.secondMs);
    }
}

} // namespace
} // namespace qv
