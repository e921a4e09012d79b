#include "acquisition/frame_hand_over.h"

#include "recording/recording_store.h"

namespace qv {

std::uint64_t FrameHandOver::BeginRun() {
    std::lock_guard lock(mutex_);
    pending_.clear();
    return generation_.fetch_add(1, std::memory_order_acq_rel) + 1;
}

void FrameHandOver::EndAllRuns() {
    std::lock_guard lock(mutex_);
    generation_.fetch_add(1, std::memory_order_acq_rel);
}

bool FrameHandOver::Publish(std::uint64_t generation,
                            const std::array<std::uint8_t, DataSampleCount>& dataSamples,
                            const std::array<std::uint8_t, HeaderSampleCount>& headerSamples,
                            std::uint8_t endFlag, int slot, const FrameHealth& health) {
    std::lock_guard lock(mutex_);
    // Checked under the lock: BeginRun cannot slip in between the check and the publication.
    if (!IsCurrent(generation) || !RecordingStore::IsValidFrame(slot)) return false;
    if (pending_.size() >= Capacity) {
        pending_.pop_front();
        ++dropped_;
    }
    HandedOverFrame& entry = pending_.emplace_back();
    entry.Frame.DataSamples = dataSamples;
    entry.Frame.HeaderSamples = headerSamples;
    entry.EndFlag = endFlag;
    entry.Health = health;
    return true;
}

std::optional<HandedOverFrame> FrameHandOver::Take() {
    std::lock_guard lock(mutex_);
    if (pending_.empty()) return std::nullopt;
    HandedOverFrame frame = pending_.front();
    pending_.pop_front();
    return frame;
}

bool FrameHandOver::Pending() const {
    std::lock_guard lock(mutex_);
    return !pending_.empty();
}

std::uint64_t FrameHandOver::DroppedFrames() const {
    std::lock_guard lock(mutex_);
    return dropped_;
}

} // namespace qv
