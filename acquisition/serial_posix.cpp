#include "acquisition/line_interfaces.h"
#include "acquisition/serial_port.h"

#include <algorithm>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
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
        if (fd_ < 0 || ioctl(fd_, TIOCMGET, &bits) != 0) return false;
        word = ModemStatusFromTiocm(bits);
        return true;
    }

    // Puts back the terminal settings and the DTR and RTS outputs the port had when it was
    // opened (a serial port keeps its settings for the next program), then lets go of it.
    bool Close() override {
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
    int fd_;
    termios settings_{};
    termios original_{};
    int originalOutputs_ = 0;
    bool savedSettings_ = false;
    bool savedOutputs_ = false;
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
