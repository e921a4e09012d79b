#include "acquisition/real_time_line.h"

#include "acquisition/critical_thread.h"
#include "acquisition/port_handle.h"

#include <algorithm>
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
    if (port_.GetModemStatus(word_))
        failures_ = 0;
    else if (++failures_ >= MaxFailures || port_.DeviceGone())
        lost_ = true;
    return word_;
}

LineWait PortLine::WaitForChange(std::int64_t deadline) {
    const LineWait result = port_.WaitForChange(deadline - SteadyTickClock().Now());
    if (result == LineWait::Lost) lost_ = true;
    return result;
}

SleepingPump::SleepingPump(TickClock& clock, std::int64_t ticksPerSecond,
                           const std::atomic<bool>& reducedCpu)
    : clock_(clock), ticksPerNs_(static_cast<double>(ticksPerSecond) / 1e9),
      reducedCpu_(reducedCpu) {}

void SleepingPump::Pass(std::int64_t deadline) {
    if (!reducedCpu_.load(std::memory_order_relaxed)) {
        Rest(deadline);
    } else if (deadline == NoDeadline) {
        SleepNanoseconds(EventSleepNs);
    } else {
        const double overshoot = SleepUntilBefore(deadline, spinMarginNs_);
        const double floor = static_cast<double>(SpinMarginNs);
        if (overshoot + 50'000 > spinMarginNs_)
            spinMarginNs_ = std::min(overshoot * 1.5 + 50'000, static_cast<double>(MaxMarginNs));
        else
            spinMarginNs_ = std::max(floor, spinMarginNs_ - (spinMarginNs_ - floor) / 256);
    }
}

void SleepingPump::Rest(std::int64_t deadline) {
    if (deadline != NoDeadline) SleepUntilBefore(deadline, RestMarginNs);
}

double SleepingPump::SleepUntilBefore(std::int64_t deadline, double marginNs) {
    if (ticksPerNs_ <= 0) return 0;
    const std::int64_t before = clock_.Now();
    const double remainingNs = static_cast<double>(deadline - before) / ticksPerNs_;
    if (remainingNs <= marginNs) return 0;
    const double sleepNs = remainingNs - marginNs;
    SleepNanoseconds(static_cast<std::int64_t>(sleepNs));
    const double sleptNs = static_cast<double>(clock_.Now() - before) / ticksPerNs_;
    return std::max(0.0, sleptNs - sleepNs);
}

namespace {

std::int64_t FrequencyOf(TickClock& clock) {
    PrepareCurrentThreadForShortSleeps();
    std::int64_t frequency = 0;
    clock.QueryFrequency(frequency);
    return frequency;
}

} // namespace

RealTimeLine::RealTimeLine(PortHandle& port, const std::atomic<bool>& reducedCpu)
    : frequency(FrequencyOf(clock)), line(port), pump(clock, frequency, reducedCpu) {}

} // namespace qv
