#pragma once

#include "acquisition/line_interfaces.h"
#include "acquisition/simulated_unit.h"

#include <atomic>
#include <cstdint>

namespace qv {

struct ProgramState;

// The simulated unit's line on virtual time: every counter reading advances the time by one
// polling cycle (pollNs) and returns it in ticks of the given frequency; a status read gives
// the unit's level at the current time (level 1: DSR on). No real waiting. Once the time
// passes `endNs`, `stopFlag` (if given) is set.
class SimulatedVirtualLine : public LineSource, public TickClock, public Pump {
public:
    SimulatedVirtualLine(std::uint64_t seed, std::int64_t ticksPerSecond, std::int64_t pollNs,
                         std::int64_t endNs, std::atomic<std::uint8_t>* stopFlag = nullptr);

    std::uint32_t ReadModemStatus() override;
    bool QueryFrequency(std::int64_t& ticksPerSecond) override;
    std::int64_t Now() override;
    void Pass(std::int64_t) override {}

    std::int64_t TimeNs() const { return timeNs_; }
    const SimulatedLine& Unit() const { return unit_; }

private:
    SimulatedLine unit_;
    std::int64_t frequency_;
    std::int64_t pollNs_;
    std::int64_t endNs_;
    std::atomic<std::uint8_t>* stopFlag_;
    std::int64_t timeNs_ = 0;
};

struct SimulatedReading {
    std::uint64_t seed = SimulatedUnitSeed;
    int frames = 200;       // how many frames to record, 1..MaxFrames
    double startTime = 0.0; // the FrameTime of virtual time 0
    std::int64_t ticksPerSecond = 1'000'000;
    std::int64_t pollNs = 20'000;
};

// The commit follows a hand-over by one interval of the commit timer.
constexpr std::int64_t CommitDelayNs = 30'000'000;

// Reads the simulated unit on virtual time the way "Читать" reads a port: FrameCount := 1, the
// straight-cable receiver over the unit's line, and every handed-over frame committed into
// slot FrameCount as the commit timer does, stamped startTime + the virtual moment of its
// commit, so that the same reading always gives the same recording. Stops after
// `reading.frames` commits (or, should the line stop giving frames, after ten seconds of
// virtual time a frame). Returns the recording's length: the number of frames committed (0
// for a frame count outside 1..MaxFrames, when nothing is read).
int ReadSimulatedUnit(ProgramState& state, const SimulatedReading& reading);

} // namespace qv
