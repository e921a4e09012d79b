#include "app/reading_session.h"

#include "app/frame_commit.h"
#include "app/keep_awake.h"
#include "app/reading_keeper.h"

namespace qv {

ReadingSession::ReadingSession(ProgramState& state, ReadingKeeper* keeper, KeepAwake* keepAwake)
    : state_(state), keeper_(keeper), keepAwake_(keepAwake) {}

ReadingSession::~ReadingSession() {
    if (Reading()) EndRun();
}

std::uint64_t ReadingSession::Start(const LocalDateTime& startedAt) {
    (void)Stop(ToFrameTime(startedAt));
    state_.FrameCount = 1;
    lineHealth_.Clear();
    if (keeper_) keeper_->BeginReading(startedAt);
    if (keepAwake_) keepAwake_->Hold();
    const std::uint64_t generation = state_.handOver.BeginRun();
    state_.StopFlag = 0;
    return generation;
}

int ReadingSession::Stop(double frameTime) {
    if (!Reading()) return 0;
    // A frame handed over after this point cannot be committed, and none before it is lost.
    state_.handOver.EndAllRuns();
    int last = 0;
    while (state_.handOver.Pending()) {
        const Commit commit = CommitNext(frameTime);
        if (commit.slot != 0) last = commit.slot;
        if (commit.storeFull) return last; // the run has ended with the store's last slot
    }
    EndRun();
    return last;
}

ReadingSession::Commit ReadingSession::CommitNext(double frameTime) {
    FrameHealth health;
    const int slot = CommitHandedOverFrame(state_, frameTime, &health);
    if (slot == 0) return {};
    lineHealth_.Add(slot, health);
    CommitRow(slot);
    if (slot < MaxFrames) return {slot, false};
    state_.handOver.EndAllRuns();
    EndRun();
    return {slot, true};
}

bool ReadingSession::LatestRunOnDisk(std::chrono::milliseconds wait) const {
    return keeper_ && keeper_->LatestReadingOnDisk(wait);
}

int ReadingSession::CommitStartUpFrame(double frameTime) {
    const int slot = state_.FrameCount.load();
    if (Reading() || !RecordingStore::IsValidFrame(slot)) return 0;
    CommitFrameData(state_.store, slot, LineFrame{}, frameTime, 0);
    state_.FrameCount = slot + 1;
    return slot;
}

void ReadingSession::RecordingReplaced(int length) {
    if (Reading()) return;
    state_.FrameCount = length + 1;
    lineHealth_.Clear();
}

void ReadingSession::FrameDeleted(int slot) {
    if (!Reading()) lineHealth_.FrameDeleted(slot);
}

void ReadingSession::CommitRow(int slot) {
    state_.FrameCount = slot + 1;
    if (keeper_ && Reading()) keeper_->KeepFrame(slot, state_.store.Row(slot));
}

void ReadingSession::EndRun() {
    state_.StopFlag = 1;
    if (keeper_) keeper_->EndReading();
    if (keepAwake_) keepAwake_->Release();
}

} // namespace qv
