#pragma once

#include "acquisition/edge_timed_line.h"
#include "acquisition/line_interfaces.h"
#include "acquisition/line_recording.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace qv {

// How the port behind a virtual line behaves. The defaults are an ideal port: reads take no
// time beyond the polling cycle and changes are reported at once.
struct VirtualPortBehaviour {
    // Every status read takes this long; it shows the line at the middle of the read.
    std::int64_t ReadNs = 0;
    // The status word follows the line only at multiples of this (0: at once), as a USB
    // adapter that learns the line once per frame of the bus.
    std::int64_t StatusStepNs = 0;
    // Whether the port reports changes of its inputs, how late, and at which multiples of
    // time only (0: at once); a change reported is the status as of the report.
    bool ReportsChanges = true;
    std::int64_t WakeNs = 0;
    std::int64_t ReportStepNs = 0;
    // From this time on the device is gone: reads fail and waits report it lost (-1: never).
    std::int64_t LostAtNs = -1;
};

// The edge-timed path's timing over a virtual line: the stamped line polled in the line's own
// cycles, and a report allowed to come late by its wake and a status read, twice over.
EdgeTiming VirtualEdgeTiming(std::int64_t ticksPerSecond, std::int64_t pollNs,
                             const VirtualPortBehaviour& behaviour);

// A recorded line in virtual time, for tests and the command-line companion. Every counter
// reading advances virtual time by one polling cycle (pollNs) and returns the new time in
// ticks of the given frequency; a status read gives the level at the current time (level 1:
// DSR on, 0x20), and takes the behaviour's read time. A wait for a change jumps to the moment
// the change is reported. The line ends once virtual time passes `endNs`.
class VirtualLine : public LineSource, public TickClock, public Pump, public ChangeSource {
public:
    VirtualLine(const LineRecording& recording, std::int64_t ticksPerSecond, std::int64_t pollNs,
                std::int64_t endNs);

    void SetBehaviour(const VirtualPortBehaviour& behaviour) { behaviour_ = behaviour; }

    std::uint32_t ReadModemStatus() override;
    bool DeviceLost() override { return lost_; }
    bool Ended() override { return timeNs_ > endNs_; }
    bool QueryFrequency(std::int64_t& ticksPerSecond) override;
    std::int64_t Now() override;
    void Pass(std::int64_t deadline) override;
    LineWait WaitForChange(std::int64_t deadline) override;

    std::int64_t TimeNs() const { return timeNs_; }
    // Calls `action` once, at the first moment virtual time reaches `timeNs`.
    void At(std::int64_t timeNs, std::function<void()> action);

private:
    // Moves virtual time forward to `timeNs`, running what is due then.
    void AdvanceTo(std::int64_t timeNs);
    int VisibleLevel(std::int64_t timeNs);
    std::int64_t Ticks(std::int64_t timeNs) const;

    const LineRecording& recording_;
    std::int64_t frequency_;
    std::int64_t pollNs_;
    std::int64_t endNs_;
    VirtualPortBehaviour behaviour_;
    std::int64_t timeNs_ = 0;
    std::size_t cursor_ = 0;
    bool lost_ = false;
    std::uint32_t word_ = ModemStatusDsr;
    // Changes up to this time have been reported by a wait.
    std::int64_t reportedUntilNs_ = 0;
    std::size_t reportCursor_ = 0;
    struct Action {
        std::int64_t timeNs;
        std::function<void()> run;
    };
    std::vector<Action> actions_;
};

} // namespace qv
