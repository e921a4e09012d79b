// fake_serial_probe PORT: opens the fake serial port as a test of the fake itself and prints,
// one line each, what a program waiting for modem changes sees: "wait <ms since the opening
// check> <DSR counter> <DSR level>" after every TIOCMIWAIT on DSR that returned, or
// "error TIOCMIWAIT <errno name>" when one failed, followed by "error TIOCGICOUNT <errno name>"
// when that fails too, and then stops.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

double Ms(const timespec& since) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - since.tv_sec) * 1e3 + (now.tv_nsec - since.tv_nsec) / 1e6;
}

int Error(const char* request) {
    std::printf("error %s %s\n", request,
                errno == ENOTTY ? "ENOTTY" : errno == EINVAL ? "EINVAL" : errno == EIO ? "EIO" : std::strerror(errno));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const int fd = open(argv[1], O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return 2;
    serial_struct serial{};
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    if (ioctl(fd, TIOCGSERIAL, &serial) != 0) return Error("TIOCGSERIAL");
    for (;;) {
        serial_icounter_struct counts{};
        if (ioctl(fd, TIOCMIWAIT, TIOCM_DSR) != 0) {
            Error("TIOCMIWAIT");
            if (ioctl(fd, TIOCGICOUNT, &counts) != 0) Error("TIOCGICOUNT");
            return 0;
        }
        const double ms = Ms(start);
        int bits = 0;
        if (ioctl(fd, TIOCGICOUNT, &counts) != 0) return Error("TIOCGICOUNT");
        if (ioctl(fd, TIOCMGET, &bits) != 0) return Error("TIOCMGET");
        std::printf("wait %.1f %d %d\n", ms, counts.dsr, (bits & TIOCM_DSR) != 0);
        std::fflush(stdout);
    }
}
