#pragma once

#include "acquisition/line_interfaces.h"

#include <atomic>
#include <cstdint>

namespace qv {

class PortHandle;

// The steady clock of the machine as the high-resolution counter (nanosecond ticks).
class SteadyTickClock : public TickClock {
public:
    bool QueryFrequency(std::int64_t& ticksPerSecond) override;
    std::int64_t Now() override;
};

// The modem-status reads and change waits of the open port, deadlines in SteadyTickClock
// ticks. A failed read leaves the last word seen (0 at first), as the platform call leaves its
// output untouched; but a device that is gone, or reads failing MaxFailures times in a row,
// make the line lost, so that failures are never taken for the line's level.
class PortLine : public LineSource, public ChangeSource {
public:
    explicit PortLine(PortHandle& port) : port_(port) {}
    std::uint32_t ReadModemStatus() override;
    bool DeviceLost() override { return lost_; }
    LineWait WaitForChange(std::int64_t deadline) override;

    static constexpr int MaxFailures = 3;

private:
    PortHandle& port_;
    std::uint32_t word_ = 0;
    int failures_ = 0;
    bool lost_ = false;
};

// The real pump pass. With "Пониженная загрузка ЦП" on, a timed wait sleeps until shortly
// (SpinMarginNs) before its instant and spins the rest, and a wait for a line event sleeps
// about EventSleepNs per cycle. With it off, the pump polls busily except that a timed wait
// sleeps while more than RestMarginNs remain, which keeps Linux from throttling the
// real-time thread. The caller's results on the counter are unchanged; only processor time
// between readings is given up.
class SleepingPump : public Pump {
public:
    SleepingPump(TickClock& clock, std::int64_t ticksPerSecond,
                 const std::atomic<bool>& reducedCpu);
    void Pass(std::int64_t deadline) override;
    void Rest(std::int64_t deadline) override;

    static constexpr std::int64_t EventSleepNs = 100'000;
    // A timed wait stops sleeping this long before its instant and spins the rest.
    static constexpr std::int64_t SpinMarginNs = 250'000;
    static constexpr std::int64_t RestMarginNs = 500'000;
    // When the system wakes the thread late, the margin grows to cover that (up to
    // MaxMarginNs) and then shrinks back slowly: on a busy machine precision comes first.
    static constexpr std::int64_t MaxMarginNs = 2'000'000;

private:
    // Sleeps until `marginNs` before the deadline; returns how late it woke (ns), or 0.
    double SleepUntilBefore(std::int64_t deadline, double marginNs);

    TickClock& clock_;
    double ticksPerNs_;
    const std::atomic<bool>& reducedCpu_;
    double spinMarginNs_ = SpinMarginNs;
};

// Everything a thread at time-critical priority reads the port with, set up on that thread: the
// steady clock and its frequency, the open port's modem status, and the sleeping pump, with the
// thread prepared for short sleeps.
struct RealTimeLine {
    RealTimeLine(PortHandle& port, const std::atomic<bool>& reducedCpu);

    SteadyTickClock clock;
    std::int64_t frequency = 0;
    PortLine line;
    SleepingPump pump;
};

} // namespace qv
