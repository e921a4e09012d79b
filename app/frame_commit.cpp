#include "app/frame_commit.h"

namespace qv {

int CommitHandedOverFrame(ProgramState& state, double frameTime, FrameHealth* health) {
    const std::optional<HandedOverFrame> handed = state.handOver.Take();
    if (!handed) return 0;
    const int slot = state.FrameCount.load();
    if (!RecordingStore::IsValidFrame(slot)) return 0;
    CommitFrameData(state.store, slot, handed->Frame, frameTime, handed->EndFlag);
    if (health) *health = handed->Health;
    return slot;
}

} // namespace qv
