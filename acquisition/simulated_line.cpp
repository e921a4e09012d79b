#include "acquisition/simulated_line.h"

namespace qv {

SimulatedVirtualLine::SimulatedVirtualLine(std::uint64_t seed, std::int64_t ticksPerSecond,
                                           std::int64_t pollNs, std::int64_t endNs)
    : unit_(seed), frequency_(ticksPerSecond), pollNs_(pollNs), endNs_(endNs) {}

std::uint32_t SimulatedVirtualLine::ReadModemStatus() {
    return unit_.LevelAt(timeNs_) != 0 ? ModemStatusDsr : 0;
}

bool SimulatedVirtualLine::QueryFrequency(std::int64_t& ticksPerSecond) {
    ticksPerSecond = frequency_;
    return frequency_ > 0;
}

std::int64_t SimulatedVirtualLine::Now() {
    timeNs_ += pollNs_;
    return static_cast<std::int64_t>(static_cast<__int128>(timeNs_) * frequency_ / 1'000'000'000);
}

} // namespace qv
