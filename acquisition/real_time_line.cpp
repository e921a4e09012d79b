#include "acquisition/real_time_line.h"

#include "acquisition/critical_thread.h"
#include "acquisition/port_handle.h"

#include <chrono>

namespace qv {

bool SteadyTickClock::QueryFrequency(std::int64_t& ticksPerSecond) {
    ticksPerSecond = 1'000'000'000;
    return std::chrono::steady_clock::is_steady;
}

std::int64_t SteadyTickClock::Now() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

std::uint32_t PortLine::ReadModemStatus() {
    port_.GetModemStatus(word_);
    return word_;
}

SleepingPump::SleepingPump(TickClock& clock, std::int64_t ticksPerSecond,
                           const std::atomic<bool>& reducedCpu)
    : clock_(clock), ticksPerNs_(static_cast<double>(ticksPerSecond) / 1e9),
      reducedCpu_(reducedCpu) {}

void SleepingPump::Pass(std::int64_t deadline) {
    if (!reducedCpu_.load(std::memory_order_relaxed) || ticksPerNs_ <= 0) return;
    if (deadline == NoDeadline) {
        SleepNanoseconds(EventSleepNs);
        return;
    }
    const double remainingNs = static_cast<double>(deadline - clock_.Now()) / ticksPerNs_;
    if (remainingNs > static_cast<double>(SpinMarginNs))
        SleepNanoseconds(static_cast<std::int64_t>(remainingNs) - SpinMarginNs);
}

} // namespace qv
