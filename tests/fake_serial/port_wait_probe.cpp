// port_wait_probe PORT CLOSE_AFTER_MS: chooses PORT as the window does, through the program's
// own port code, then waits for a change of its inputs twice and prints, one line each,
// "<Changed|TimedOut|Unsupported|Lost> <ms the wait took> <1 if the device is gone, else 0>":
// first a wait of 50 ms, then one of 5 s while another thread closes the port CLOSE_AFTER_MS
// after that wait began (0: nobody closes it). Ends itself after 10 s, should a wait hang.
#include "acquisition/port_choice.h"
#include "acquisition/port_handle.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace {

const char* Name(qv::LineWait result) {
    switch (result) {
    case qv::LineWait::Changed:
        return "Changed";
    case qv::LineWait::TimedOut:
        return "TimedOut";
    case qv::LineWait::Unsupported:
        return "Unsupported";
    case qv::LineWait::Lost:
        break;
    }
    return "Lost";
}

void Wait(qv::PortHandle& port, std::chrono::milliseconds timeout) {
    const auto start = std::chrono::steady_clock::now();
    const qv::LineWait result = port.WaitForChange(std::chrono::nanoseconds(timeout).count());
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("%s %.1f %d\n", Name(result), took.count(), port.DeviceGone() ? 1 : 0);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    alarm(10);
    const int closeAfterMs = std::atoi(argv[2]);
    qv::PortHandle port;
    if (!qv::ChoosePort(port, argv[1])) {
        std::puts("not opened");
        return 1;
    }
    Wait(port, std::chrono::milliseconds(50));
    std::thread closer;
    if (closeAfterMs > 0)
        closer = std::thread([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(closeAfterMs));
            (void)port.ClosePort();
        });
    Wait(port, std::chrono::seconds(5));
    if (closer.joinable()) closer.join();
    return 0;
}
