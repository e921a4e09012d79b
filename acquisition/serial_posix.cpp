#include "acquisition/line_interfaces.h"
#include "acquisition/serial_port.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <linux/serial.h>
#include <mutex>
#include <pthread.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace qv {

std::uint32_t ModemStatusFromTiocm(int tiocmBits) {
    std::uint32_t word = 0;
    if (tiocmBits & TIOCM_CTS) word |= ModemStatusCts;
    if (tiocmBits & TIOCM_DSR) word |= ModemStatusDsr;
    if (tiocmBits & TIOCM_RI) word |= ModemStatusRing;
    if (tiocmBits & TIOCM_CD) word |= ModemStatusRlsd;
    return word;
}

namespace {

speed_t BaudConstant(std::uint32_t baud, bool& known) {
    known = true;
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        known = false;
        return B57600;
    }
}

// A blocking TIOCMIWAIT has no time-out of its own. The waiting thread's own timer sends it
// this signal, whose handler does nothing and is installed without SA_RESTART, so that the
// ioctl returns with EINTR: at the deadline, and every millisecond after it until disarmed
// (a signal that lands just before the ioctl starts is not lost for good). Close() sends the
// same signal to end a wait at once.
int WakeSignal() {
    return SIGRTMIN + 3;
}

void InstallWakeHandler() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(WakeSignal(), &action, nullptr);
    });
}

// The calling thread's timer for WakeSignal, made on first use and deleted with the thread.
class WakeTimer {
public:
    WakeTimer() {
        sigevent event{};
        event.sigev_notify = SIGEV_THREAD_ID;
        event.sigev_signo = WakeSignal();
        event._sigev_un._tid = static_cast<pid_t>(syscall(SYS_gettid));
        made_ = timer_create(CLOCK_MONOTONIC, &event, &timer_) == 0;
    }
    ~WakeTimer() {
        if (made_) timer_delete(timer_);
    }
    bool Arm(std::int64_t timeoutNs) {
        itimerspec when{};
        timeoutNs = std::max<std::int64_t>(timeoutNs, 1000);
        when.it_value.tv_sec = static_cast<time_t>(timeoutNs / 1'000'000'000);
        when.it_value.tv_nsec = static_cast<long>(timeoutNs % 1'000'000'000);
        when.it_interval.tv_nsec = 1'000'000;
        return made_ && timer_settime(timer_, 0, &when, nullptr) == 0;
    }
    void Disarm() {
        const itimerspec off{};
        if (made_) timer_settime(timer_, 0, &off, nullptr);
    }

private:
    timer_t timer_{};
    bool made_ = false;
};

// Errors that mean the device itself is gone (unplugged, or its driver unbound).
bool DeviceGoneError(int error) {
    return error == EIO || error == ENODEV || error == ENXIO;
}

bool CountsDiffer(const serial_icounter_struct& a, const serial_icounter_struct& b) {
    return a.cts != b.cts || a.dsr != b.dsr || a.rng != b.rng || a.dcd != b.dcd;
}

class PosixSerialPort : public PortDevice {
public:
    explicit PosixSerialPort(int fd) : fd_(fd) {
        // What the port had when it was opened, put back when it is closed.
        savedSettings_ = tcgetattr(fd_, &original_) == 0;
        savedOutputs_ = ioctl(fd_, TIOCMGET, &originalOutputs_) == 0;
    }
    ~PosixSerialPort() override { Close(); }

    bool ReadSettings() override { return fd_ >= 0 && tcgetattr(fd_, &settings_) == 0; }

    bool SetTimeouts(const PortTimeouts& timeouts) override {
        if (fd_ < 0) return false;
        // Reads are never used; "return at once with what has arrived" is VMIN 0, VTIME 0.
        const bool immediate = timeouts.ReadInterval == 0xFFFFFFFFu &&
                               timeouts.ReadTotalMultiplier == 0 && timeouts.ReadTotalConstant == 0;
        settings_.c_cc[VMIN] = 0;
        settings_.c_cc[VTIME] =
            immediate
                ? 0
                : static_cast<cc_t>(std::min<std::uint32_t>(timeouts.ReadTotalConstant / 100, 255));
        return tcsetattr(fd_, TCSANOW, &settings_) == 0;
    }

    bool SetState(const PortLineState& state) override {
        if (fd_ < 0) return false;
        bool known = false;
        const speed_t speed = BaudConstant(state.BaudRate, known);
        cfmakeraw(&settings_);
        cfsetispeed(&settings_, speed);
        cfsetospeed(&settings_, speed);
        settings_.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
        settings_.c_cflag |= CLOCAL | CREAD;
        switch (state.ByteSize) {
        case 5:
            settings_.c_cflag |= CS5;
            break;
        case 6:
            settings_.c_cflag |= CS6;
            break;
        case 7:
            settings_.c_cflag |= CS7;
            break;
        default:
            settings_.c_cflag |= CS8;
            break;
        }
        if (state.Parity == 1) settings_.c_cflag |= PARENB | PARODD;
        if (state.Parity == 2) settings_.c_cflag |= PARENB;
        if (state.StopBits != 0) settings_.c_cflag |= CSTOPB;
        settings_.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
        bool ok = known && tcsetattr(fd_, TCSANOW, &settings_) == 0;
        int dtr = TIOCM_DTR;
        int rts = TIOCM_RTS;
        ok = ioctl(fd_, state.DtrOn ? TIOCMBIS : TIOCMBIC, &dtr) == 0 && ok;
        ok = ioctl(fd_, state.RtsOn ? TIOCMBIS : TIOCMBIC, &rts) == 0 && ok;
        return ok;
    }

    bool Purge() override { return fd_ >= 0 && tcflush(fd_, TCIOFLUSH) == 0; }

    bool ReadModemStatus(std::uint32_t& word) override {
        int bits = 0;
        if (fd_ < 0) return false;
        if (ioctl(fd_, TIOCMGET, &bits) != 0) {
            if (DeviceGoneError(errno)) gone_ = true;
            return false;
        }
        word = ModemStatusFromTiocm(bits);
        return true;
    }

    LineWait WaitForChange(std::int64_t timeoutNs) override {
        int fd = -1;
        {
            std::lock_guard lock(waitMutex_);
            if (closing_ || fd_ < 0) return LineWait::Lost;
            fd = fd_;
            waiter_ = pthread_self();
            waiting_ = true;
        }
        const LineWait result = WaitOnDriver(fd, timeoutNs);
        {
            std::lock_guard lock(waitMutex_);
            waiting_ = false;
        }
        waitEnded_.notify_all();
        return result;
    }

    bool Gone() const override { return gone_; }

    // Puts back the terminal settings and the DTR and RTS outputs the port had when it was
    // opened (a serial port keeps its settings for the next program), then lets go of it.
    bool Close() override {
        EndWaits();
        if (fd_ < 0) return false;
        bool restored = !savedSettings_ || tcsetattr(fd_, TCSANOW, &original_) == 0;
        if (savedOutputs_) {
            for (int line : {TIOCM_DTR, TIOCM_RTS}) {
                const unsigned long request = (originalOutputs_ & line) ? TIOCMBIS : TIOCMBIC;
                restored = ioctl(fd_, request, &line) == 0 && restored;
            }
        }
        ioctl(fd_, TIOCNXCL);
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        return closed && restored;
    }

private:
    // TIOCMIWAIT on the four inputs, bounded by the thread's wake timer. A change counted by
    // the driver since the previous wait (TIOCGICOUNT, where supported) ends it at once: the
    // kernel's wait only looks for changes after it starts.
    LineWait WaitOnDriver(int fd, std::int64_t timeoutNs) {
        serial_icounter_struct counts{};
        if (countsKnown_ && ioctl(fd, TIOCGICOUNT, &counts) == 0 && CountsDiffer(counts, counts_)) {
            counts_ = counts;
            return LineWait::Changed;
        }
        InstallWakeHandler();
        thread_local WakeTimer timer;
        if (!timer.Arm(timeoutNs)) return LineWait::Unsupported;
        const int result = ioctl(fd, TIOCMIWAIT, TIOCM_CTS | TIOCM_DSR | TIOCM_RNG | TIOCM_CD);
        const int error = errno;
        timer.Disarm();
        countsKnown_ = ioctl(fd, TIOCGICOUNT, &counts_) == 0;
        if (result == 0) return LineWait::Changed;
        if (error == EINTR) return closing_ ? LineWait::Lost : LineWait::TimedOut;
        if (DeviceGoneError(error)) {
            gone_ = true;
            return LineWait::Lost;
        }
        return LineWait::Unsupported; // ENOTTY, EINVAL: the driver has no change reports
    }

    // Ends a wait in progress on another thread before the descriptor goes: signals that
    // thread until it has left the ioctl.
    void EndWaits() {
        std::unique_lock lock(waitMutex_);
        closing_ = true;
        while (waiting_) {
            pthread_kill(waiter_, WakeSignal());
            waitEnded_.wait_for(lock, std::chrono::milliseconds(1));
        }
    }

    int fd_;
    termios settings_{};
    termios original_{};
    int originalOutputs_ = 0;
    bool savedSettings_ = false;
    bool savedOutputs_ = false;
    std::atomic<bool> gone_{false};
    std::mutex waitMutex_;
    std::condition_variable waitEnded_;
    pthread_t waiter_{};
    bool waiting_ = false;
    std::atomic<bool> closing_{false};
    // The input change counts after the last wait (used only by the waiting thread).
    serial_icounter_struct counts_{};
    bool countsKnown_ = false;
};

class PosixSerialSystem : public PortSystem {
public:
    explicit PosixSerialSystem(std::string sysfsRoot) : sysfsRoot_(std::move(sysfsRoot)) {}

    // Opens only a serial port (see AdmitPort); anything else is refused before it is opened.
    // Exclusive like the Windows open: a port another program has locked is refused, and
    // others are kept out while it is ours.
    std::unique_ptr<PortDevice> Open(const std::string& name) override {
        const std::string path = LinuxPortPath(name);
        const TtyDeviceFacts facts = ReadTtyDeviceFacts(path, sysfsRoot_);
        const PortAdmission admission = AdmitPort(facts);
        if (admission == PortAdmission::Refuse) return nullptr;
        const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return nullptr;
        struct stat info {};
        serial_struct serial{};
        // The device opened must be the one checked (a link may have changed meanwhile), and
        // one that sysfs does not vouch for must answer as a serial port.
        const bool serialPort =
            fstat(fd, &info) == 0 && S_ISCHR(info.st_mode) && major(info.st_rdev) == facts.Major &&
            minor(info.st_rdev) == facts.Minor && isatty(fd) &&
            (admission == PortAdmission::Serial || ioctl(fd, TIOCGSERIAL, &serial) == 0);
        if (!serialPort || flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return nullptr;
        }
        auto port = std::make_unique<PosixSerialPort>(fd);
        if (ioctl(fd, TIOCEXCL) != 0) return nullptr; // closes, putting back what it saved
        return port;
    }

    std::vector<std::string> Candidates() override { return LinuxPortCandidates(sysfsRoot_); }

private:
    std::string sysfsRoot_;
};

} // namespace

std::unique_ptr<PortSystem> MakeSerialPortSystem(const std::string& sysfsRoot) {
    return std::make_unique<PosixSerialSystem>(sysfsRoot);
}

} // namespace qv
