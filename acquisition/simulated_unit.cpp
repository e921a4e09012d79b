#include "acquisition/simulated_unit.h"

#include "acquisition/critical_thread.h"
#include "acquisition/line_encoder.h"
#include "acquisition/line_interfaces.h"
#include "acquisition/serial_port.h"
#include "base/split_mix64.h"
#include "recording/decoding.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>

namespace qv {
namespace {

// The raw byte the unit's coolant sensor gives for a temperature: the byte whose value, read
// directly on the curve the panel decodes with, lies nearest.
std::uint8_t CoolantRaw(double celsius) {
    const auto distance = [celsius](int raw) {
        return std::abs(static_cast<double>(ParameterValue(6, static_cast<std::uint8_t>(raw), {})) -
                        celsius);
    };
    int best = 0;
    for (int raw = 1; raw < 256; ++raw)
        if (distance(raw) < distance(best)) best = raw;
    return static_cast<std::uint8_t>(best);
}

std::uint8_t Byte(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0l, 255l));
}

constexpr double SecondsPerFrame = 1.4;

} // namespace

SimulatedEngine::SimulatedEngine(std::uint64_t seed) : rng_(seed) {}

std::uint64_t SimulatedEngine::Random() {
    return SplitMix64(rng_);
}

double SimulatedEngine::Uniform() {
    return static_cast<double>(Random() >> 11) * 0x1.0p-53;
}

std::array<std::uint8_t, 12> SimulatedEngine::NextFrame() {
    const double seconds = frame_ * SecondsPerFrame;
    const double coolant = 85.0 - 70.0 * std::exp(-seconds / 200.0);
    const double coldness = std::clamp((60.0 - coolant) / 45.0, 0.0, 1.0);
    const bool cranking = frame_ < 2;

    // Now and then a blip of the throttle.
    if (blipFramesLeft_ == 0 && frame_ >= nextBlipFrame_) {
        blipFramesLeft_ = 2 + static_cast<int>(Random() % 3);
        nextBlipFrame_ = frame_ + 30 + static_cast<int>(Random() % 40);
    }
    const bool blip = blipFramesLeft_ > 0;
    const double blipDepth = blip ? 0.6 + 0.4 * Uniform() : 0.0;
    if (blip) --blipFramesLeft_;

    const bool feedback = coolant >= 55.0 && !blip && !cranking;
    if (feedback) {
        // Closed loop: the oxygen sensors swing between rich and lean.
        mixtureLeft_ = mixtureLeft_ > 0.45 ? 0.08 + 0.2 * Uniform() : 0.65 + 0.2 * Uniform();
        mixtureRight_ = mixtureRight_ > 0.45 ? 0.1 + 0.2 * Uniform() : 0.6 + 0.25 * Uniform();
    } else {
        mixtureLeft_ = std::clamp(mixtureLeft_ + (Uniform() - 0.5) * 0.1, 0.2, 0.8);
        mixtureRight_ = std::clamp(mixtureRight_ + (Uniform() - 0.5) * 0.1, 0.2, 0.8);
    }

    const double rpm = cranking ? 200.0 + 50 * Uniform()
                       : blip   ? 2000.0 + 1200.0 * blipDepth
                                : 750.0 + 550.0 * coldness + (Uniform() - 0.5) * 50.0;
    const double injectionMs =
        blip ? 4.5 + 1.5 * blipDepth : 2.4 + 1.2 * coldness + 0.1 * Uniform();
    const double advance = blip ? 28.0 + 6.0 * blipDepth : 10.0 + 2.0 * Uniform();
    const double valvePercent = 28.0 + 18.0 * coldness + (Uniform() - 0.5) * 2.0;
    const double mapKpa = blip ? 60.0 + 15.0 * blipDepth : 32.0 + 4.0 * Uniform();
    const double throttleDegrees = blip ? 15.0 + 12.0 * blipDepth : 0.0;

    std::array<std::uint8_t, 12> bytes{};
    bytes[0] = Byte(injectionMs / 0.125);
    bytes[1] = Byte((advance + 30.0) / 0.47);
    bytes[2] = Byte(valvePercent / 100.0 * 255.0);
    bytes[3] = Byte(rpm / 25.0);
    bytes[4] = Byte(mapKpa * 1.535);
    bytes[5] = CoolantRaw(coolant);
    bytes[6] = Byte(throttleDegrees * 2.0);
    bytes[7] = 0; // standing still
    bytes[8] = Byte(mixtureLeft_ * 256.0 / 5.0);
    bytes[9] = Byte(mixtureRight_ * 256.0 / 5.0);

    std::uint8_t flags11 = 0;
    if (seconds < 45.0) flags11 |= 1u << 0; // enrichment after start
    if (coolant < 50.0) flags11 |= 1u << 1; // cold engine
    if (feedback) flags11 |= 1u << 5;
    if (blip && throttleDegrees > 20.0) flags11 |= 1u << 6; // extra enrichment
    std::uint8_t flags12 = 0;
    if (cranking) flags12 |= 1u << 0;
    if (!blip) flags12 |= 1u << 1; // idle contact closed
    flags12 |= 1u << 3;            // neutral
    if (mixtureLeft_ > 0.45) flags12 |= 1u << 4;
    if (mixtureRight_ > 0.45) flags12 |= 1u << 5;
    flags12 |= 1u << 7; // diagnosis good
    bytes[10] = flags11;
    bytes[11] = flags12;

    ++frame_;
    return bytes;
}

SimulatedLine::SimulatedLine(std::uint64_t seed) : engine_(seed), gapRng_(seed ^ 0x5157u) {}

void SimulatedLine::NextFrameSegment() {
    EncodedFrame frame;
    const auto bytes = engine_.NextFrame();
    frame.Bytes.assign(bytes.begin(), bytes.end());
    frame.IdleBitsBefore = 18.0 + static_cast<double>(SplitMix64(gapRng_) % 12);
    segment_ = LineRecording{};
    cursor_ = 0;
    segmentEndNs_ = AppendFrame(segment_, segmentEndNs_, frame, LineTiming{});
}

std::int64_t SimulatedLine::NextChangeAfter(std::int64_t timeNs) {
    for (;;) {
        while (timeNs >= segmentEndNs_) NextFrameSegment();
        for (const LevelChange& change : segment_.Changes)
            if (change.TimeNs > timeNs) return change.TimeNs;
        timeNs = segmentEndNs_; // idle at level 1 until the next frame
    }
}

int SimulatedLine::LevelAt(std::int64_t timeNs) {
    while (timeNs >= segmentEndNs_) NextFrameSegment();
    return segment_.LevelAt(timeNs, cursor_);
}

namespace {

class SimulatedPort : public PortDevice {
public:
    SimulatedPort(std::uint64_t seed, SimulatedPortOptions options)
        : line_(seed), options_(std::move(options)) {
        if (options_.Origin == std::chrono::steady_clock::time_point{})
            options_.Origin = std::chrono::steady_clock::now();
    }

    bool ReadSettings() override { return true; }
    bool SetTimeouts(const PortTimeouts&) override { return true; }
    bool SetState(const PortLineState&) override { return true; }
    bool Purge() override { return true; }
    bool ReadModemStatus(std::uint32_t& word) override {
        SleepNanoseconds(options_.ReadCostNs / 2);
        {
            std::lock_guard lock(mutex_);
            const std::int64_t ns = LineTime(std::chrono::steady_clock::now());
            word = line_.LevelAt(ns) != 0 ? ModemStatusDsr : 0;
            if (options_.OnRead) options_.OnRead(ns);
        }
        SleepNanoseconds(options_.ReadCostNs - options_.ReadCostNs / 2);
        return true;
    }
    LineWait WaitForChange(std::int64_t timeoutNs) override {
        using std::chrono::steady_clock;
        std::unique_lock lock(mutex_);
        if (closed_) return LineWait::Lost;
        if (!options_.ReportsChanges) return LineWait::Unsupported;
        const steady_clock::time_point until =
            steady_clock::now() + std::chrono::nanoseconds(std::max<std::int64_t>(0, timeoutNs));
        const std::int64_t next = line_.NextChangeAfter(reportedUntilNs_);
        const auto changeAt = options_.Origin + std::chrono::nanoseconds(next);
        wake_.wait_until(lock, std::min(changeAt, until), [this] { return closed_; });
        if (closed_) return LineWait::Lost;
        const std::int64_t now = LineTime(steady_clock::now());
        if (now < next) return LineWait::TimedOut;
        reportedUntilNs_ = now;
        return LineWait::Changed;
    }
    bool Close() override {
        std::lock_guard lock(mutex_);
        closed_ = true;
        wake_.notify_all();
        return true;
    }

private:
    std::int64_t LineTime(std::chrono::steady_clock::time_point at) const {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(at - options_.Origin).count();
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    SimulatedLine line_;
    SimulatedPortOptions options_;
    // Changes up to this line time have been reported by a wait.
    std::int64_t reportedUntilNs_ = 0;
    bool closed_ = false;
};

class StandardPortSystem : public PortSystem {
public:
    StandardPortSystem() : serial_(MakeSerialPortSystem()) {}

    std::unique_ptr<PortDevice> Open(const std::string& name) override {
        if (name == SimulatedPortName) return OpenSimulatedPort(SimulatedUnitSeed);
        return serial_->Open(name);
    }
    bool Probe(const std::string& name) override {
        return name == SimulatedPortName || serial_->Probe(name);
    }
    std::vector<std::string> Candidates() override { return serial_->Candidates(); }

private:
    std::unique_ptr<PortSystem> serial_;
};

} // namespace

std::unique_ptr<PortDevice> OpenSimulatedPort(std::uint64_t seed, SimulatedPortOptions options) {
    return std::make_unique<SimulatedPort>(seed, std::move(options));
}

std::shared_ptr<PortSystem> MakeStandardPortSystem() {
    return std::make_shared<StandardPortSystem>();
}

} // namespace qv
