#include "acquisition/edge_timed_line.h"

#include <algorithm>

namespace qv {
namespace {

std::int64_t NsToTicks(std::int64_t ns, std::int64_t ticksPerSecond) {
    return std::max<std::int64_t>(
        1, static_cast<std::int64_t>(static_cast<__int128>(ns) * ticksPerSecond / 1'000'000'000));
}

} // namespace

EdgeTiming EdgeTiming::ForFrequency(std::int64_t ticksPerSecond, std::int64_t stepNs,
                                    std::int64_t marginNs) {
    EdgeTiming timing;
    timing.StepTicks = NsToTicks(stepNs, ticksPerSecond);
    timing.MarginTicks = NsToTicks(marginNs, ticksPerSecond);
    timing.EventWaitTicks = NsToTicks(20'000'000, ticksPerSecond);
    timing.ConfirmEveryTicks = NsToTicks(50'000'000, ticksPerSecond);
    timing.DistrustWindowTicks = NsToTicks(2'000'000'000, ticksPerSecond);
    return timing;
}

EdgeTimedLine::EdgeTimedLine(TickClock& clock, LineSource& line, ChangeSource& changes, Pump& pump,
                             const EdgeTiming& timing,
                             std::function<void(AcquisitionMode)> modeChanged)
    : clock_(clock), line_(line), changes_(changes), pump_(pump), timing_(timing),
      modeChanged_(std::move(modeChanged)) {
    const LineWait probe = changes_.WaitForChange(clock_.Now());
    polling_ = probe == LineWait::Unsupported;
    lost_ = probe == LineWait::Lost;
    const std::uint32_t word = line_.ReadModemStatus();
    const std::int64_t stamp = clock_.Now();
    edges_.push_back({stamp, word});
    knownUntil_ = virtualNow_ = stamp;
}

bool EdgeTimedLine::QueryFrequency(std::int64_t& ticksPerSecond) {
    return clock_.QueryFrequency(ticksPerSecond);
}

bool EdgeTimedLine::DeviceLost() {
    return lost_ || line_.DeviceLost();
}

std::uint32_t EdgeTimedLine::ReadModemStatus() {
    if (!polling_) KnowUntil(virtualNow_, false);
    if (polling_) return line_.ReadModemStatus();
    while (edges_.size() > 1 && edges_[1].Tick <= virtualNow_) edges_.pop_front();
    return edges_.front().Word;
}

std::int64_t EdgeTimedLine::Now() {
    if (polling_) return clock_.Now();
    const std::int64_t next = virtualNow_ + timing_.StepTicks;
    const bool timed = deadline_ != NoDeadline;
    deadline_ = NoDeadline;
    KnowUntil(next, timed);
    if (polling_) return clock_.Now();
    virtualNow_ = next;
    return virtualNow_;
}

void EdgeTimedLine::Pass(std::int64_t deadline) {
    if (polling_)
        pump_.Pass(deadline);
    else
        Announce(deadline);
}

void EdgeTimedLine::Rest(std::int64_t deadline) {
    if (polling_)
        pump_.Rest(deadline);
    else
        Announce(deadline);
}

void EdgeTimedLine::Announce(std::int64_t deadline) {
    if (deadline == NoDeadline) return;
    deadline_ = deadline;
    // Nothing is read before the instant, so the clock may go straight there, staying on its
    // grid of cycles as a polling loop would.
    if (deadline > virtualNow_)
        virtualNow_ += (deadline - virtualNow_) / timing_.StepTicks * timing_.StepTicks;
}

void EdgeTimedLine::KnowUntil(std::int64_t target, bool timed) {
    while (knownUntil_ < target && !polling_ && !lost_) {
        const std::int64_t now = clock_.Now();
        const bool confirm = timed && now - lastConfirm_ >= timing_.ConfirmEveryTicks;
        std::int64_t until = target + timing_.MarginTicks;
        // Learn the line in longer stretches (a change ends the wait anyway): the receiver's
        // decisions wait for what is known, not for the clock.
        if (!confirm && now < until) until = std::max(until, now + timing_.EventWaitTicks);
        const LineWait result = changes_.WaitForChange(until);
        const std::int64_t stamp = clock_.Now();
        switch (result) {
        case LineWait::Changed:
            Reported(stamp);
            break;
        case LineWait::TimedOut:
            if (confirm) {
                lastConfirm_ = stamp;
                CheckUnreported(stamp);
            }
            knownUntil_ = std::max(knownUntil_, stamp - timing_.MarginTicks);
            break;
        case LineWait::Unsupported:
            FallBack();
            break;
        case LineWait::Lost:
            lost_ = true;
            break;
        }
        if (line_.DeviceLost()) lost_ = true;
    }
}

void EdgeTimedLine::Reported(std::int64_t stamp) {
    const std::uint32_t word = line_.ReadModemStatus();
    const std::int64_t at = std::max(stamp, knownUntil_);
    const std::uint32_t last = edges_.back().Word;
    if (word == last && lateReportDue_) {
        // The late report of a change already taken from a status read.
    } else if (word == last) {
        // Two changes somewhere between the last known instant and now: placed where two
        // changes at unknown moments lie on average, a third and two thirds of the way.
        ++missedPairs_;
        const std::int64_t third = (at - knownUntil_) / 3;
        Append(knownUntil_ + third, word == 0 ? ModemStatusDsr : 0);
        Append(knownUntil_ + 2 * third, word);
    } else {
        Append(at, word);
    }
    lateReportDue_ = false;
    knownUntil_ = at;
}

void EdgeTimedLine::CheckUnreported(std::int64_t stamp) {
    const std::uint32_t word = line_.ReadModemStatus();
    if (word == edges_.back().Word || line_.DeviceLost()) return;
    // The status changed, yet no report came: give the report the margin to arrive.
    const LineWait again = changes_.WaitForChange(clock_.Now() + timing_.MarginTicks);
    const std::int64_t now = clock_.Now();
    if (again == LineWait::Changed) {
        Reported(now);
        return;
    }
    if (again == LineWait::Unsupported) FallBack();
    if (again == LineWait::Lost) lost_ = true;
    if (again != LineWait::TimedOut) return;
    // Not reported: the change lies between the last known instant and the read.
    ++unreportedTotal_;
    Append(knownUntil_ + (stamp - knownUntil_) / 2, word);
    knownUntil_ = std::max(knownUntil_, stamp);
    lateReportDue_ = true;
    recentUnreported_.push_back(stamp);
    while (recentUnreported_.front() < stamp - timing_.DistrustWindowTicks)
        recentUnreported_.pop_front();
    if (recentUnreported_.size() >= 3) FallBack();
}

void EdgeTimedLine::Append(std::int64_t tick, std::uint32_t word) {
    tick = std::max(tick, edges_.back().Tick + 1);
    if (word != edges_.back().Word) edges_.push_back({tick, word});
}

void EdgeTimedLine::FallBack() {
    if (polling_) return;
    polling_ = true;
    if (modeChanged_) modeChanged_(AcquisitionMode::Polling);
}

} // namespace qv
