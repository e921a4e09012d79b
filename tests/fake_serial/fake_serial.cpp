// A serial port with modem inputs, for tests, loaded with LD_PRELOAD into the real program.
//
// At load it opens a pseudo-terminal and links its slave at $QV_FAKE_SERIAL_LINK. The program
// opens, locks and configures that device with its own code (terminal settings, exclusive
// use and locks are the kernel's); this library answers only the requests a pseudo-terminal
// lacks, for that one device: TIOCGSERIAL (so the program takes it for a serial port),
// TIOCMGET, TIOCMBIS/TIOCMBIC/TIOCMSET (DTR and RTS), TIOCMIWAIT and TIOCGICOUNT. DSR follows
// a line file ($QV_FAKE_SERIAL_SCRIPT, "<seconds> <level>" a line, as `quintovar-cli receive`
// reads) in real time from the device's first request of any kind (a Linux program's opening
// check TIOCGSERIAL; under wine, which never asks that, its first status read).
//
// Under wine the device stands behind a COM port (tests/windows/wine-run --port): wine answers
// GetCommModemStatus with TIOCMGET, and WaitCommEvent with a thread of its own that polls
// TIOCGICOUNT and TIOCMGET; it never waits with TIOCMIWAIT.
//
// Settings (environment; times in microseconds unless named otherwise):
//   QV_FAKE_SERIAL_PROGRAM        act only in a process whose command line names this program
//                                 (a file name, such as "quintovar-cli.exe"): wine starts other
//                                 processes (its server, services, a console host) that inherit
//                                 LD_PRELOAD, and each would make a device of its own and move
//                                 the link away from the program's; unset: act in any process
//   QV_FAKE_SERIAL_READ_COST_US   each TIOCMGET takes this long (an FTDI adapter: about 1 ms)
//   QV_FAKE_SERIAL_QUANTUM_US     the adapter reports the inputs only at multiples of this
//                                 (an FTDI latency timer: 16 ms); a change between two reports
//                                 that is undone by the next one is never seen
//   QV_FAKE_SERIAL_LATENCY_US     a report reaches the driver this much later
//   QV_FAKE_SERIAL_CACHED=1       TIOCMGET answers from the reports, as drivers that keep the
//                                 last reported status do, instead of asking the adapter
//   QV_FAKE_SERIAL_NO_NOTIFY=1    a driver without change notification: TIOCMIWAIT fails with
//                                 ENOTTY and TIOCGICOUNT with EINVAL, what Linux's tty layer
//                                 answers when a driver has no tiocmiwait or get_icount
//   QV_FAKE_SERIAL_VANISH_S       seconds after the start at which the device goes away:
//                                 every request then fails with EIO and the pseudo-terminal
//                                 is hung up, as an unplugged USB adapter is
//   QV_FAKE_SERIAL_UNPLUG         a file whose appearance takes the device away in the same
//                                 way, at that moment (a test unplugs the adapter when ready)
//   QV_FAKE_SERIAL_LOG            a file that gets one line for each opening (at the first
//                                 request after it), each change of DTR or RTS and each close,
//                                 with DTR, RTS and the terminal settings at that moment; before
//                                 each close, two lines of counts ("use ..."): the reader (the
//                                 thread that read the status most often: the receiver) with its
//                                 status reads, its processor time over the time it read, and
//                                 how long after a change of the line it first read the line
//                                 (mean and longest), then the change-count requests and their
//                                 mean interval (wine's change wait polls with them); and the
//                                 counts of status reads, change waits and waits that a change
//                                 ended
// TIOCMIWAIT and TIOCGICOUNT keep the kernel's meaning: the counters count the changes of each
// input as reported; TIOCMIWAIT waits until a counter of an input in its mask differs from
// its value when the call began, fails with EIO when the device goes away, and with EINTR when
// a signal is delivered to the waiting thread.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <linux/serial.h>
#include <mutex>
#include <poll.h>
#include <pthread.h>
#include <string>
#include <strings.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

using Ns = long long;

struct Change {
    Ns at;
    int level;
};

// One thread's status reads: its processor time at the first and the last, and how long after
// each change of the line (from its first read on) it first read the line.
struct ThreadUse {
    int reads = 0;
    Ns firstAt = 0, lastAt = 0, firstCpu = 0, lastCpu = 0;
    std::size_t unseen = 0; // the first change it has not read yet
    Ns lagSum = 0, lagMax = 0;
    int lagged = 0;
};

struct Device {
    bool ready = false;
    int master = -1;
    dev_t rdev = 0;
    std::vector<Change> line; // the first entry is the level at time 0
    Ns readCost = 0, quantum = 0, latency = 0, vanishAt = -1;
    bool cached = false, noNotify = false;
    std::string log, unplug;

    std::mutex mutex;
    Ns start = -1;       // the monotonic time of the first request
    bool opened = false; // a request came since the last close

    int outputs = TIOCM_DTR | TIOCM_RTS; // raised by the kernel when a port is opened
    // The reports seen so far: up to which report time they are counted, the last reported
    // level and how often the reported DSR changed.
    Ns reportedUpTo = 0;
    std::size_t nextChange = 1; // without a quantum: the first change not yet reported
    int reportedLevel = 1;
    int dsrChanges = 0;
    // How the program used the device: status reads, change waits, waits ended by a change;
    // each thread's status reads; the change-count requests and the times of the first and last.
    int reads = 0, waits = 0, waitsChanged = 0;
    std::unordered_map<long, ThreadUse> threads;
    int counts = 0;
    Ns firstCount = 0, lastCount = 0;
};

// Made on first use: the set-up below runs before the library's global objects are built.
Device& TheDevice() {
    static Device device;
    return device;
}

Ns Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return Ns{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

Ns ThreadCpu() {
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    return Ns{cpu.tv_sec} * 1'000'000'000 + cpu.tv_nsec;
}

// A sleep no signal ends: a USB control transfer (the read cost) finishes whatever happens.
void SleepUntil(Ns when) {
    timespec at{static_cast<time_t>(when / 1'000'000'000), static_cast<long>(when % 1'000'000'000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

// A sleep that a signal ends, as the kernel's interruptible waits end: false when a signal
// handler ran. `waiting` is the caller's signal mask; every signal is blocked around this call
// (see WaitForChange), so one that came while the caller was not yet asleep is still pending
// here and ends the sleep at once instead of being lost.
bool SleepUntilSignalled(Ns when, const sigset_t& waiting) {
    const Ns left = std::max<Ns>(0, when - Now());
    const timespec span{static_cast<time_t>(left / 1'000'000'000),
                        static_cast<long>(left % 1'000'000'000)};
    return !(ppoll(nullptr, 0, &span, &waiting) < 0 && errno == EINTR);
}

Ns EnvNs(const char* name, double unitNs, Ns fallback) {
    const char* text = std::getenv(name);
    return text && *text ? static_cast<Ns>(std::llround(std::atof(text) * unitNs)) : fallback;
}

bool EnvFlag(const char* name) {
    const char* text = std::getenv(name);
    return text && std::strcmp(text, "1") == 0;
}

std::vector<Change> ReadLine(const char* path) {
    std::vector<Change> line;
    std::ifstream file(path);
    double seconds = 0;
    int level = 0;
    while (file >> seconds >> level) line.push_back({std::llround(seconds * 1e9), level != 0});
    return line;
}

// The level of the line at `t` nanoseconds after the start.
int LevelAt(Ns t) {
    const auto after = std::upper_bound(TheDevice().line.begin(), TheDevice().line.end(), t,
                                        [](Ns time, const Change& c) { return time < c.at; });
    return after == TheDevice().line.begin() ? TheDevice().line.front().level : (after - 1)->level;
}

// Counts the reports that have reached the driver by `t` (TheDevice().mutex held).
void TakeReports(Ns t) {
    if (TheDevice().quantum > 0) {
        for (Ns report = TheDevice().reportedUpTo + TheDevice().quantum;
             report + TheDevice().latency <= t; report += TheDevice().quantum) {
            const int level = LevelAt(report);
            if (level != TheDevice().reportedLevel) ++TheDevice().dsrChanges;
            TheDevice().reportedLevel = level;
            TheDevice().reportedUpTo = report;
        }
        return;
    }
    for (; TheDevice().nextChange < TheDevice().line.size(); ++TheDevice().nextChange) {
        const Change& change = TheDevice().line[TheDevice().nextChange];
        if (change.at + TheDevice().latency > t) break;
        if (change.level != TheDevice().reportedLevel) ++TheDevice().dsrChanges;
        TheDevice().reportedLevel = change.level;
        TheDevice().reportedUpTo = change.at;
    }
}

// The time at which the next report that changes DSR reaches the driver, after `t`; -1 when
// the line never changes again.
Ns NextReportedChange(Ns t) {
    int level = TheDevice().reportedLevel;
    if (TheDevice().quantum > 0) {
        const Ns last = TheDevice().line.back().at + TheDevice().quantum;
        for (Ns report = TheDevice().reportedUpTo + TheDevice().quantum; report <= last;
             report += TheDevice().quantum)
            if (LevelAt(report) != level && report + TheDevice().latency > t)
                return report + TheDevice().latency;
        return -1;
    }
    for (std::size_t i = TheDevice().nextChange; i < TheDevice().line.size(); ++i)
        if (TheDevice().line[i].level != level) return TheDevice().line[i].at + TheDevice().latency;
    return -1;
}

bool IsDevice(int fd) {
    struct stat info {};
    return TheDevice().ready && fd >= 0 && fstat(fd, &info) == 0 && S_ISCHR(info.st_mode) &&
           info.st_rdev == TheDevice().rdev;
}

void Append(const char* line) {
    const int out =
        ::open(TheDevice().log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (out < 0) return;
    const ssize_t written = ::write(out, line, std::strlen(line));
    (void)written;
    syscall(SYS_close, out);
}

void Log(int fd, const char* event) {
    if (TheDevice().log.empty()) return;
    termios settings{};
    char line[256];
    if (tcgetattr(fd, &settings) == 0)
        std::snprintf(
            line, sizeof line, "%s DTR=%d RTS=%d iflag=%o oflag=%o cflag=%o lflag=%o speed=%u\n",
            event, (TheDevice().outputs & TIOCM_DTR) != 0, (TheDevice().outputs & TIOCM_RTS) != 0,
            settings.c_iflag, settings.c_oflag, settings.c_cflag, settings.c_lflag,
            static_cast<unsigned>(cfgetospeed(&settings)));
    else
        std::snprintf(line, sizeof line, "%s DTR=%d RTS=%d settings unreadable: %s\n", event,
                      (TheDevice().outputs & TIOCM_DTR) != 0,
                      (TheDevice().outputs & TIOCM_RTS) != 0, std::strerror(errno));
    Append(line);
}

// Notes a status read of the calling thread at `t` (TheDevice().mutex held).
void NoteRead(Ns t) {
    ThreadUse& use = TheDevice().threads[syscall(SYS_gettid)];
    const std::vector<Change>& line = TheDevice().line;
    const Ns at = Now(), cpu = ThreadCpu();
    if (use.reads++ == 0) {
        use.firstAt = at;
        use.firstCpu = cpu;
        use.unseen = std::upper_bound(line.begin(), line.end(), t,
                                      [](Ns time, const Change& c) { return time < c.at; }) -
                     line.begin();
    }
    use.lastAt = at;
    use.lastCpu = cpu;
    for (; use.unseen < line.size() && line[use.unseen].at <= t; ++use.unseen) {
        const Ns lag = t - line[use.unseen].at;
        use.lagSum += lag;
        use.lagMax = std::max(use.lagMax, lag);
        ++use.lagged;
    }
}

// The counts of use, logged before each close.
void LogUse() {
    if (TheDevice().log.empty()) return;
    const ThreadUse* reader = nullptr;
    for (const auto& [thread, use] : TheDevice().threads)
        if (!reader || use.reads > reader->reads) reader = &use;
    const ThreadUse none;
    if (!reader) reader = &none;
    const Ns span = reader->lastAt - reader->firstAt;
    const Device& d = TheDevice();
    char line[256];
    std::snprintf(
        line, sizeof line,
        "use reader TIOCMGET=%d cpu=%.2f%% lag=%.3f/%.3fms TIOCGICOUNT=%d every=%.3fms\n",
        reader->reads, span > 0 ? 100.0 * (reader->lastCpu - reader->firstCpu) / span : 0.0,
        reader->lagged ? reader->lagSum / 1e6 / reader->lagged : 0.0, reader->lagMax / 1e6,
        d.counts, d.counts > 1 ? (d.lastCount - d.firstCount) / 1e6 / (d.counts - 1) : 0.0);
    Append(line);
    std::snprintf(line, sizeof line, "use TIOCMGET=%d TIOCMIWAIT=%d changed=%d\n",
                  TheDevice().reads, TheDevice().waits, TheDevice().waitsChanged);
    Append(line);
}

int Fail(int error) {
    errno = error;
    return -1;
}

// Whether the device has gone (TheDevice().mutex held); hangs the pseudo-terminal up the first
// time.
bool Vanished(Ns t) {
    if (TheDevice().vanishAt < 0 && !TheDevice().unplug.empty() &&
        access(TheDevice().unplug.c_str(), F_OK) == 0)
        TheDevice().vanishAt = t;
    if (TheDevice().vanishAt < 0 || TheDevice().start < 0 || t < TheDevice().vanishAt) return false;
    if (TheDevice().master >= 0) {
        syscall(SYS_close, TheDevice().master);
        TheDevice().master = -1;
    }
    return true;
}

// Blocks every signal for as long as it lives; the mask it replaced is `caller`.
struct SignalsHeld {
    sigset_t caller{};
    SignalsHeld() {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_SETMASK, &all, &caller);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &caller, nullptr); }
};

// TIOCMIWAIT. Like the kernel's wait, a signal delivered to the waiting thread ends it with
// EINTR (a program bounds the wait with a timer signal, or ends it so when closing the port).
int WaitForChange(unsigned long mask) {
    const SignalsHeld signals;
    std::unique_lock lock(TheDevice().mutex);
    ++TheDevice().waits;
    if (TheDevice().noNotify) return Fail(ENOTTY);
    // The counters as the call begins, as the kernel takes them.
    Ns t = Now() - TheDevice().start;
    if (Vanished(t)) return Fail(EIO);
    TakeReports(t);
    const int before = TheDevice().dsrChanges;
    for (;;) {
        t = Now() - TheDevice().start;
        if (Vanished(t)) return Fail(EIO);
        TakeReports(t);
        if ((mask & TIOCM_DSR) && TheDevice().dsrChanges != before) {
            ++TheDevice().waitsChanged;
            return 0;
        }
        Ns wake = (mask & TIOCM_DSR) ? NextReportedChange(t) : -1;
        if (TheDevice().vanishAt >= 0 && (wake < 0 || wake > TheDevice().vanishAt))
            wake = TheDevice().vanishAt;
        if (!TheDevice().unplug.empty() && (wake < 0 || wake > t + 10'000'000))
            wake = t + 10'000'000;              // looks for the unplugging file now and then
        if (wake < 0) wake = t + 1'000'000'000; // nothing will change: wait on, as the kernel does
        lock.unlock();
        if (!SleepUntilSignalled(TheDevice().start + wake, signals.caller)) return Fail(EINTR);
        lock.lock();
    }
}

// Any request on the device: the first after an opening logs the opening, and the very first
// starts the line's clock.
void Requested(int fd) {
    std::lock_guard lock(TheDevice().mutex);
    if (TheDevice().start < 0) TheDevice().start = Now();
    if (!TheDevice().opened) Log(fd, "open");
    TheDevice().opened = true;
}

int Answer(int fd, unsigned long request, void* arg) {
    if (request == TIOCMGET && TheDevice().readCost > 0) SleepUntil(Now() + TheDevice().readCost);
    std::unique_lock lock(TheDevice().mutex);
    const Ns t = Now() - TheDevice().start;
    if (request == TIOCGICOUNT) {
        if (TheDevice().counts++ == 0) TheDevice().firstCount = t;
        TheDevice().lastCount = t;
    }
    if (Vanished(t)) return Fail(EIO);
    switch (request) {
    case TIOCGSERIAL: {
        serial_struct info{};
        info.type = PORT_16550A;
        info.baud_base = 115200;
        std::memcpy(arg, &info, sizeof info);
        return 0;
    }
    case TIOCMGET: {
        ++TheDevice().reads;
        NoteRead(t);
        int level = LevelAt(t);
        if (TheDevice().cached) {
            TakeReports(t);
            level = TheDevice().reportedLevel;
        }
        const int bits = TheDevice().outputs | (level ? TIOCM_DSR : 0);
        std::memcpy(arg, &bits, sizeof bits);
        return 0;
    }
    case TIOCMBIS:
    case TIOCMBIC:
    case TIOCMSET: {
        int bits = 0;
        std::memcpy(&bits, arg, sizeof bits);
        bits &= TIOCM_DTR | TIOCM_RTS;
        const int before = TheDevice().outputs;
        TheDevice().outputs = request == TIOCMBIS   ? TheDevice().outputs | bits
                              : request == TIOCMBIC ? TheDevice().outputs & ~bits
                                                    : bits;
        if (TheDevice().outputs != before) Log(fd, "outputs");
        return 0;
    }
    case TIOCGICOUNT: {
        if (TheDevice().noNotify) return Fail(EINVAL);
        TakeReports(t);
        serial_icounter_struct counts{};
        counts.dsr = TheDevice().dsrChanges;
        std::memcpy(arg, &counts, sizeof counts);
        return 0;
    }
    }
    return Fail(EINVAL);
}

// Whether this process runs the program named by QV_FAKE_SERIAL_PROGRAM: an argument of its
// command line is that file name, or a path ending in it (Windows names in any case).
bool MeantForThisProcess() {
    const char* program = std::getenv("QV_FAKE_SERIAL_PROGRAM");
    if (!program || !*program) return true;
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    for (std::string argument; std::getline(in, argument, '\0');) {
        const std::size_t slash = argument.find_last_of("/\\");
        if (strcasecmp(argument.c_str() + (slash == std::string::npos ? 0 : slash + 1), program) ==
            0)
            return true;
    }
    return false;
}

__attribute__((constructor)) void SetUp() {
    const char* link = std::getenv("QV_FAKE_SERIAL_LINK");
    const char* script = std::getenv("QV_FAKE_SERIAL_SCRIPT");
    if (!link || !script || !MeantForThisProcess()) return;
    TheDevice().line = ReadLine(script);
    if (TheDevice().line.empty()) {
        std::fprintf(stderr, "fake serial: no line in %s\n", script);
        return;
    }
    TheDevice().reportedLevel = TheDevice().line.front().level;
    TheDevice().readCost = EnvNs("QV_FAKE_SERIAL_READ_COST_US", 1e3, 0);
    TheDevice().quantum = EnvNs("QV_FAKE_SERIAL_QUANTUM_US", 1e3, 0);
    TheDevice().latency = EnvNs("QV_FAKE_SERIAL_LATENCY_US", 1e3, 0);
    TheDevice().vanishAt = EnvNs("QV_FAKE_SERIAL_VANISH_S", 1e9, -1);
    TheDevice().cached = EnvFlag("QV_FAKE_SERIAL_CACHED");
    TheDevice().noNotify = EnvFlag("QV_FAKE_SERIAL_NO_NOTIFY");
    if (const char* log = std::getenv("QV_FAKE_SERIAL_LOG")) TheDevice().log = log;
    if (const char* unplug = std::getenv("QV_FAKE_SERIAL_UNPLUG")) TheDevice().unplug = unplug;

    TheDevice().master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    const char* slave = TheDevice().master >= 0 && grantpt(TheDevice().master) == 0 &&
                                unlockpt(TheDevice().master) == 0
                            ? ptsname(TheDevice().master)
                            : nullptr;
    if (!slave || stat(slave, &info) != 0) {
        std::fprintf(stderr, "fake serial: no pseudo-terminal: %s\n", std::strerror(errno));
        return;
    }
    TheDevice().rdev = info.st_rdev;
    unlink(link);
    if (symlink(slave, link) != 0) {
        std::fprintf(stderr, "fake serial: cannot link %s: %s\n", link, std::strerror(errno));
        return;
    }
    TheDevice().ready = true;
}

} // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept {
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    const bool answered = request == TIOCGSERIAL || request == TIOCMGET || request == TIOCMBIS ||
                          request == TIOCMBIC || request == TIOCMSET || request == TIOCGICOUNT ||
                          request == TIOCMIWAIT;
    if (IsDevice(fd)) {
        Requested(fd);
        if (answered)
            return request == TIOCMIWAIT ? WaitForChange(reinterpret_cast<unsigned long>(arg))
                                         : Answer(fd, request, arg);
    }
    return static_cast<int>(syscall(SYS_ioctl, fd, request, arg));
}

extern "C" int close(int fd) {
    if (IsDevice(fd)) {
        std::lock_guard lock(TheDevice().mutex);
        if (TheDevice().opened) {
            LogUse();
            Log(fd, "close");
        }
        TheDevice().opened = false;
    }
    return static_cast<int>(syscall(SYS_close, fd));
}
