#pragma once

#include "acquisition/line_interfaces.h"
#include "acquisition/simulated_unit.h"

#include <cstdint>

namespace qv {

// The simulated unit's line on virtual time: every counter reading advances the time by one
// polling cycle (pollNs) and returns it in ticks of the given frequency; a status read gives
// the unit's level at the current time (level 1: DSR on). No real waiting. The line ends once
// the time passes `endNs`.
class SimulatedVirtualLine : public LineSource, public TickClock, public Pump {
public:
    SimulatedVirtualLine(std::uint64_t seed, std::int64_t ticksPerSecond, std::int64_t pollNs,
                         std::int64_t endNs);

    std::uint32_t ReadModemStatus() override;
    bool Ended() override { return timeNs_ > endNs_; }
    bool QueryFrequency(std::int64_t& ticksPerSecond) override;
    std::int64_t Now() override;
    void Pass(std::int64_t) override {}

    std::int64_t TimeNs() const { return timeNs_; }

private:
    SimulatedLine unit_;
    std::int64_t frequency_;
    std::int64_t pollNs_;
    std::int64_t endNs_;
    std::int64_t timeNs_ = 0;
};

} // namespace qv
