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

// The modem-status reads of the open port. A failed read leaves the last word seen (0 at
// first), as the platform call leaves its output untouched.
class PortLine : public LineSource {
public:
    explicit PortLine(PortHandle& port) : port_(port) {}
    std::uint32_t ReadModemStatus() override;

private:
    PortHandle& port_;
    std::uint32_t word_ = 0;
};

// The real pump pass. With "Пониженная загрузка ЦП" off it does nothing: pure busy polling.
// With it on, a timed wait sleeps until shortly before its instant and spins the rest, and a
// wait for a line event sleeps about EventSleepNs per cycle. The caller's results on the
// counter are unchanged; only the processor time between readings is given up.
class SleepingPump : public Pump {
public:
    SleepingPump(TickClock& clock, std::int64_t ticksPerSecond,
                 const std::atomic<bool>& reducedCpu);
    void Pass(std::int64_t deadline) override;

    static constexpr std::int64_t EventSleepNs = 100'000;
    // A timed wait stops sleeping this long before its instant and spins the rest.
    static constexpr std::int64_t SpinMarginNs = 250'000;

private:
    TickClock& clock_;
    double ticksPerNs_;
    const std::atomic<bool>& reducedCpu_;
};

} // namespace qv
