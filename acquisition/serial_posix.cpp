#include "acquisition/line_interfaces.h"
#include "acquisition/serial_port.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
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

class PosixSerialPort : public PortDevice {
public:
    explicit PosixSerialPort(int fd) : fd_(fd) {}
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
        if (fd_ < 0 || ioctl(fd_, TIOCMGET, &bits) != 0) return false;
        word = ModemStatusFromTiocm(bits);
        return true;
    }

    bool Close() override {
        if (fd_ < 0) return false;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

private:
    int fd_;
    termios settings_{};
};

class PosixSerialSystem : public PortSystem {
public:
    explicit PosixSerialSystem(std::string sysfsRoot) : sysfsRoot_(std::move(sysfsRoot)) {}

    std::unique_ptr<PortDevice> Open(const std::string& name) override {
        if (name.empty()) return nullptr;
        // A bare name such as "ttyUSB0" means the device of that name.
        const std::string path = name.find('/') == std::string::npos ? "/dev/" + name : name;
        const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return nullptr;
        struct stat info {};
        // Exclusive like the Windows open: refuse a port another program has locked, and keep
        // others out while it is ours.
        if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode) || !isatty(fd) ||
            flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0) {
            ::close(fd);
            return nullptr;
        }
        return std::make_unique<PosixSerialPort>(fd);
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
