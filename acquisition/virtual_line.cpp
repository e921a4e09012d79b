#include "acquisition/virtual_line.h"

namespace qv {

VirtualLine::VirtualLine(const LineRecording& recording, std::int64_t ticksPerSecond,
                         std::int64_t pollNs, std::int64_t endNs,
                         std::atomic<std::uint8_t>* stopFlag)
    : recording_(recording), frequency_(ticksPerSecond), pollNs_(pollNs), endNs_(endNs),
      stopFlag_(stopFlag) {}

std::uint32_t VirtualLine::ReadModemStatus() {
    return recording_.LevelAt(timeNs_, cursor_) != 0 ? ModemStatusDsr : 0;
}

bool VirtualLine::QueryFrequency(std::int64_t& ticksPerSecond) {
    if (!hasCounter_) return false;
    ticksPerSecond = frequency_;
    return true;
}

std::int64_t VirtualLine::Now() {
    timeNs_ += pollNs_;
    if (action_ && timeNs_ >= actionNs_) {
        auto action = std::move(action_);
        action_ = nullptr;
        action();
    }
    if (stopFlag_ && timeNs_ > endNs_) stopFlag_->store(1);
    return static_cast<std::int64_t>(static_cast<__int128>(timeNs_) * frequency_ / 1'000'000'000);
}

void VirtualLine::Pass(std::int64_t) {
    ++pumpPasses_;
}

void VirtualLine::At(std::int64_t timeNs, std::function<void()> action) {
    actionNs_ = timeNs;
    action_ = std::move(action);
}

} // namespace qv
