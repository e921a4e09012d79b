#pragma once

#include "acquisition/critical_thread.h"
#include "acquisition/line_interfaces.h"

#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace qv {

struct ReadingState;

constexpr int TimingCheckMarks = 1000;

// The measured lateness of the 1000 one-millisecond marks, in ticks.
struct TimingCheckResult {
    std::int64_t Frequency = 0;
    std::int64_t Sum = 0;
    std::int64_t Maximum = 0;
};

// The check's measuring loop on the given clock, pump and line; false when there is no counter.
bool RunTimingCheck(TickClock& clock, Pump& pump, LineSource& line, TimingCheckResult& result);

// A lateness in milliseconds as the report writes it: five significant digits or four
// decimals, whichever is coarser, always four digits after `decimalSeparator`.
std::string TimingReportNumber(double milliseconds, const std::string& decimalSeparator);

// "Средняя неточность отсчёта - 0,0123мс. Мах - 1,5000мс. При неточности 2 и более мс.
// возможны сбои." for the given result.
std::string TimingReportText(const TimingCheckResult& result, const std::string& decimalSeparator);

// Called on the check thread: reportReady with the finished report text (show it from
// Timer3Timer), or noCounter ("Однако не хотит:)" belongs in Edit1).
struct TimingCheckCallbacks {
    std::function<void(const std::string& report)> reportReady;
    std::function<void()> noCounter;
};

// The timing check thread: one second of polling against 1 ms marks on state.port.
class PrPr : public CriticalThread {
public:
    PrPr(ReadingState& state, std::string decimalSeparator, TimingCheckCallbacks callbacks);

protected:
    void Execute() override;

private:
    ReadingState& state_;
    std::string decimalSeparator_;
    TimingCheckCallbacks callbacks_;
};

// Starts the timing check once the port is open: a PrPr thread at time-critical priority, which
// the caller joins (`state` must outlive it). While another check is still running
// (state.TimingCheckRunning) it starts nothing and returns no thread (not joinable).
[[nodiscard]] std::thread StartTimingCheck(ReadingState& state, const std::string& decimalSeparator,
                                           TimingCheckCallbacks callbacks);

} // namespace qv
