#pragma once

#include "acquisition/line_interfaces.h"
#include "acquisition/line_recording.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace qv {

// A recorded line in virtual time, for tests and the command-line companion. Every counter
// reading advances virtual time by one polling cycle (pollNs) and returns the new time in
// ticks of the given frequency; a status read gives the level at the current time (level 1:
// DSR on, 0x20). Once virtual time passes `endNs`, `stopFlag` (if given) is set.
class VirtualLine : public LineSource, public TickClock, public Pump {
public:
    VirtualLine(const LineRecording& recording, std::int64_t ticksPerSecond, std::int64_t pollNs,
                std::int64_t endNs, std::atomic<std::uint8_t>* stopFlag = nullptr);

    std::uint32_t ReadModemStatus() override;
    bool QueryFrequency(std::int64_t& ticksPerSecond) override;
    std::int64_t Now() override;
    void Pass(std::int64_t deadline) override;

    std::int64_t TimeNs() const { return timeNs_; }
    // Calls `action` once, at the first counter reading at or after `timeNs`.
    void At(std::int64_t timeNs, std::function<void()> action);
    // Makes QueryFrequency fail.
    void RemoveCounter() { hasCounter_ = false; }
    std::int64_t PumpPasses() const { return pumpPasses_; }

private:
    const LineRecording& recording_;
    std::int64_t frequency_;
    std::int64_t pollNs_;
    std::int64_t endNs_;
    std::atomic<std::uint8_t>* stopFlag_;
    std::int64_t timeNs_ = 0;
    std::size_t cursor_ = 0;
    bool hasCounter_ = true;
    std::int64_t pumpPasses_ = 0;
    std::int64_t actionNs_ = -1;
    std::function<void()> action_;
};

} // namespace qv
