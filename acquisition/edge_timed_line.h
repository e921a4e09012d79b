#pragma once

#include "acquisition/line_interfaces.h"

#include <cstdint>
#include <deque>
#include <functional>

namespace qv {

// The edge-timed path's timing, in counter ticks.
struct EdgeTiming {
    // The receiver's polling cycle on the stamped line (how finely it looks for an edge).
    std::int64_t StepTicks = 0;
    // How late the port may report a change. The line counts as known up to this long before
    // the last wait that ended without a report; a change that a status read sees and that is
    // still not reported this long after is an unreported change.
    std::int64_t MarginTicks = 0;
    // The longest single wait while the receiver waits for a line event, so that it still
    // notices a stop request.
    std::int64_t EventWaitTicks = 0;
    // How often a status read checks that the port reports every change (at the end of a
    // timed wait); between those, timed waits too learn the line in EventWaitTicks stretches.
    std::int64_t ConfirmEveryTicks = 0;
    // Three unreported changes within this long mean the port's reports cannot be trusted:
    // the line is polled from then on.
    std::int64_t DistrustWindowTicks = 0;

    static EdgeTiming ForFrequency(std::int64_t ticksPerSecond, std::int64_t stepNs = 20'000,
                                   std::int64_t marginNs = 2'000'000);
};

// The edge-timed path. The port's change reports, each stamped with the counter reading right
// after the wake and confirmed by a status read, form a recorded line; the receiver samples it
// on a virtual clock of StepTicks cycles that never runs past the instant up to which the line
// is known, so an instant is sampled only once every change before it has been reported. The
// receiver's logic is the polling one, tick for tick as on a recorded line.
//
// A report whose status read shows the word as before means two changes since the last report
// (a missed pair, when the thread did not run for a while): the pulse is placed between the
// last known instant and the report. When the
// port cannot report changes at all, or its reports prove late, the line falls back to polling
// the port directly (and says so through `modeChanged`).
class EdgeTimedLine : public LineSource, public TickClock, public Pump {
public:
    // Probes the port (a wait that ends at once) and reads the status once.
    EdgeTimedLine(TickClock& clock, LineSource& line, ChangeSource& changes, Pump& pump,
                  const EdgeTiming& timing,
                  std::function<void(AcquisitionMode)> modeChanged = nullptr);

    std::uint32_t ReadModemStatus() override;
    bool DeviceLost() override;
    bool Ended() override { return line_.Ended(); }
    bool QueryFrequency(std::int64_t& ticksPerSecond) override;
    std::int64_t Now() override;
    void Pass(std::int64_t deadline) override;
    void Rest(std::int64_t deadline) override;

    AcquisitionMode Mode() const {
        return polling_ ? AcquisitionMode::Polling : AcquisitionMode::EdgeTimed;
    }
    int MissedPairs() const { return missedPairs_; }
    int UnreportedChanges() const { return unreportedTotal_; }

private:
    void Announce(std::int64_t deadline);
    // Waits until the line is known up to `target`; `timed`: the receiver waits for that
    // instant (not for a line event), so now and then a status read confirms the line when no
    // report came.
    void KnowUntil(std::int64_t target, bool timed);
    void Reported(std::int64_t stamp);
    void CheckUnreported(std::int64_t stamp);
    void Append(std::int64_t tick, std::uint32_t word);
    void FallBack();

    TickClock& clock_;
    LineSource& line_;
    ChangeSource& changes_;
    Pump& pump_;
    EdgeTiming timing_;
    std::function<void(AcquisitionMode)> modeChanged_;

    bool polling_ = false;
    bool lost_ = false;
    std::int64_t virtualNow_ = 0;
    std::int64_t knownUntil_ = 0;
    std::int64_t deadline_ = NoDeadline; // announced by the pump pass before the next reading
    std::int64_t lastConfirm_ = 0;
    struct Edge {
        std::int64_t Tick;
        std::uint32_t Word;
    };
    std::deque<Edge> edges_; // the front holds the word in force at virtualNow_
    // A change taken from a status read: its late report must not count as a missed pair.
    bool lateReportDue_ = false;
    int missedPairs_ = 0;
    int unreportedTotal_ = 0;
    std::deque<std::int64_t> recentUnreported_;
};

} // namespace qv
