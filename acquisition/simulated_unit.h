#pragma once

#include "acquisition/line_recording.h"
#include "acquisition/port_device.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace qv {

// A simulated engine control unit after a cold start, idling while it warms up: coolant
// rising, cold-engine and after-start flags, feedback switching on when warm, idle contact
// closed, now and then a blip of the throttle, speed 0, mixture corrections swinging,
// diagnosis good. Deterministic for a seed.
class SimulatedEngine {
public:
    explicit SimulatedEngine(std::uint64_t seed);
    // The twelve data bytes of the next frame; each frame is about 1.4 s later than the last.
    std::array<std::uint8_t, 12> NextFrame();

private:
    std::uint64_t Random();
    double Uniform(); // 0..1

    std::uint64_t rng_;
    int frame_ = 0;
    double mixtureLeft_ = 0.45, mixtureRight_ = 0.45;
    int blipFramesLeft_ = 0;
    int nextBlipFrame_ = 40;
};

// The line of the simulated unit: frames of SimulatedEngine after idle gaps, played from
// time 0 on. LevelAt answers for ascending times (older times give the level at the start of
// the frame in hand).
class SimulatedLine {
public:
    explicit SimulatedLine(std::uint64_t seed);
    int LevelAt(std::int64_t timeNs);
    // The time of the first change after `timeNs`.
    std::int64_t NextChangeAfter(std::int64_t timeNs);

private:
    void NextFrameSegment();

    SimulatedEngine engine_;
    std::uint64_t gapRng_;
    LineRecording segment_;
    std::size_t cursor_ = 0;
    std::int64_t segmentEndNs_ = 0;
};

// The seed of the unit behind "SIM": every opening replays the same cold start.
constexpr std::uint64_t SimulatedUnitSeed = 1995;

// How the simulated port behaves beyond the unit's line.
struct SimulatedPortOptions {
    // Whether it reports changes of its inputs (as a serial driver with TIOCMIWAIT does).
    bool ReportsChanges = true;
    // How long every status read takes (sleeping, as a slow USB adapter blocks); the read
    // shows the line at its middle.
    std::int64_t ReadCostNs = 0;
    // The steady-clock moment of the line's time 0; by default, when the port is opened.
    std::chrono::steady_clock::time_point Origin{};
    // Told the line time (ns) that each status read shows (benchmarks).
    std::function<void(std::int64_t lineTimeNs)> OnRead;
};

// The simulated unit as a port: its modem status follows SimulatedLine at the time elapsed
// on the steady clock since its origin (level 1: DSR on, 0x20), and it reports the line's
// changes when asked to wait for them.
std::unique_ptr<PortDevice> OpenSimulatedPort(std::uint64_t seed,
                                              SimulatedPortOptions options = {});

// The machine's serial ports plus "SIM".
std::shared_ptr<PortSystem> MakeStandardPortSystem();

} // namespace qv
