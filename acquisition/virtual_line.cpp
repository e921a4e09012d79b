#include "acquisition/virtual_line.h"

#include <algorithm>
#include <utility>

namespace qv {

EdgeTiming VirtualEdgeTiming(std::int64_t ticksPerSecond, std::int64_t pollNs,
                             const VirtualPortBehaviour& behaviour) {
    const std::int64_t margin =
        std::max<std::int64_t>(2'000'000, 2 * (behaviour.WakeNs + behaviour.ReadNs));
    return EdgeTiming::ForFrequency(ticksPerSecond, pollNs, margin);
}

VirtualLine::VirtualLine(const LineRecording& recording, std::int64_t ticksPerSecond,
                         std::int64_t pollNs, std::int64_t endNs)
    : recording_(recording), frequency_(ticksPerSecond), pollNs_(pollNs), endNs_(endNs) {}

int VirtualLine::VisibleLevel(std::int64_t timeNs) {
    const std::int64_t step = behaviour_.StatusStepNs;
    if (step > 0) timeNs -= timeNs % step;
    return recording_.LevelAt(timeNs, cursor_);
}

std::int64_t VirtualLine::Ticks(std::int64_t timeNs) const {
    return static_cast<std::int64_t>(static_cast<__int128>(timeNs) * frequency_ / 1'000'000'000);
}

void VirtualLine::AdvanceTo(std::int64_t timeNs) {
    timeNs_ = std::max(timeNs_, timeNs);
    for (std::size_t i = 0; i < actions_.size();) {
        if (actions_[i].timeNs <= timeNs_) {
            auto run = std::move(actions_[i].run);
            actions_.erase(actions_.begin() + static_cast<std::ptrdiff_t>(i));
            run();
        } else {
            ++i;
        }
    }
    if (behaviour_.LostAtNs >= 0 && timeNs_ >= behaviour_.LostAtNs) lost_ = true;
}

std::uint32_t VirtualLine::ReadModemStatus() {
    const std::int64_t readNs = behaviour_.ReadNs;
    if (!lost_) word_ = VisibleLevel(timeNs_ + readNs / 2) != 0 ? ModemStatusDsr : 0;
    if (readNs > 0) AdvanceTo(timeNs_ + readNs);
    return word_;
}

bool VirtualLine::QueryFrequency(std::int64_t& ticksPerSecond) {
    ticksPerSecond = frequency_;
    return true;
}

std::int64_t VirtualLine::Now() {
    AdvanceTo(timeNs_ + pollNs_);
    return Ticks(timeNs_);
}

void VirtualLine::Pass(std::int64_t) {}

LineWait VirtualLine::WaitForChange(std::int64_t deadline) {
    if (!behaviour_.ReportsChanges) return LineWait::Unsupported;
    if (lost_) return LineWait::Lost;
    // The first moment after `deadline` ticks, in nanoseconds.
    const auto deadlineNs = static_cast<std::int64_t>(
        (static_cast<__int128>(deadline) * 1'000'000'000 + frequency_ - 1) / frequency_);
    // The first change of the visible status after what was reported last.
    const std::vector<LevelChange>& changes = recording_.Changes;
    while (reportCursor_ < changes.size() && changes[reportCursor_].TimeNs <= reportedUntilNs_)
        ++reportCursor_;
    std::int64_t changeNs = -1;
    if (reportCursor_ < changes.size()) {
        changeNs = changes[reportCursor_].TimeNs;
        if (const std::int64_t step = behaviour_.StatusStepNs; step > 0 && changeNs % step != 0)
            changeNs += step - changeNs % step;
    }
    std::int64_t reportNs = changeNs < 0 ? -1 : changeNs + behaviour_.WakeNs;
    if (const std::int64_t step = behaviour_.ReportStepNs; reportNs >= 0 && step > 0) {
        if (reportNs % step != 0) reportNs += step - reportNs % step;
    }
    if (behaviour_.LostAtNs >= 0 && (reportNs < 0 || behaviour_.LostAtNs < reportNs) &&
        behaviour_.LostAtNs <= deadlineNs) {
        AdvanceTo(behaviour_.LostAtNs);
        return LineWait::Lost;
    }
    // A change reported by now ends even a wait whose deadline has passed.
    if (reportNs >= 0) reportNs = std::max(reportNs, timeNs_);
    if (reportNs < 0 || reportNs > std::max(deadlineNs, timeNs_)) {
        AdvanceTo(deadlineNs);
        return LineWait::TimedOut;
    }
    AdvanceTo(reportNs);
    // As a driver's change counts, a report takes in every change up to its moment.
    reportedUntilNs_ = std::max(reportedUntilNs_, reportNs);
    return LineWait::Changed;
}

void VirtualLine::At(std::int64_t timeNs, std::function<void()> action) {
    actions_.push_back({timeNs, std::move(action)});
}

} // namespace qv
