#include "app/reading_session.h"

#include "acquisition/receiver_thread.h"
#include "app/frame_commit.h"
#include "app/keep_awake.h"
#include "app/reading_keeper.h"

namespace qv {

ReadingSession::ReadingSession(ProgramState& state, ReadingKeeper* keeper, KeepAwake* keepAwake,
                               ReceiverStarter startReceiver)
    : state_(state), keeper_(keeper), keepAwake_(keepAwake),
      startReceiver_(std::move(startReceiver)) {}

ReadingSession::~ReadingSession() {
    (void)End(RunEnd::Stop, NowFrameTime());
    JoinReceiver();
}

std::uint64_t ReadingSession::Start(const LocalDateTime& startedAt) {
    (void)End(RunEnd::Stop, ToFrameTime(startedAt));
    state_.FrameCount = 1;
    lineHealth_.Clear();
    if (keeper_) keeper_->BeginReading(startedAt);
    if (keepAwake_) keepAwake_->Hold();
    run_ = state_.handOver.BeginRun();
    state_.StopFlag = 0;
    return run_;
}

std::uint64_t ReadingSession::Start(const LocalDateTime& startedAt, bool inverted,
                                    RunFront& front) {
    const std::uint64_t generation = Start(startedAt);
    // The earlier run's receiver has been told to end at its next check.
    JoinReceiver();
    ReceiverCallbacks callbacks = CallbacksFor(generation, front);
    receiver_ = startReceiver_ ? startReceiver_(state_, generation, inverted, std::move(callbacks))
                               : StartReceiver(state_, generation, inverted, std::move(callbacks));
    return generation;
}

void ReadingSession::JoinReceiver() {
    if (receiver_.joinable()) receiver_.join();
}

ReceiverCallbacks ReadingSession::CallbacksFor(std::uint64_t generation, RunFront& front) {
    ReceiverCallbacks callbacks;
    callbacks.frameReady = [&front] { front.Post([&front] { front.FrameHandedOver(); }); };
    callbacks.acquisition = [this, &front, generation](AcquisitionMode mode,
                                                       ThreadPriorityLevel priority) {
        front.Post([this, &front, generation, mode, priority] {
            if (generation == run_) front.LineRead(mode, priority);
        });
    };
    const auto ends = [this, &front, generation](RunEnd cause) {
        return [this, &front, generation, cause] {
            front.Post(
                [this, &front, generation, cause] { ReceiverEnded(generation, cause, front); });
        };
    };
    callbacks.noCounter = ends(RunEnd::NoCounter);
    callbacks.deviceLost = ends(RunEnd::DeviceLost);
    callbacks.lineEnded = ends(RunEnd::LineEnded);
    return callbacks;
}

void ReadingSession::ReceiverEnded(std::uint64_t generation, RunEnd cause, RunFront& front) {
    // A receiver of an earlier run, or a run that has ended otherwise meanwhile, ends nothing.
    if (generation != run_ || !Reading()) return;
    front.RunEnded(End(cause, NowFrameTime()));
}

RunEnding ReadingSession::End(RunEnd cause, double frameTime) {
    RunEnding ending;
    ending.cause = cause;
    if (!Reading()) return ending;
    // A frame handed over after this point cannot be committed, and none before it is lost.
    state_.handOver.EndAllRuns();
    while (cause != RunEnd::StoreFull && Reading() && state_.handOver.Pending())
        if (const int slot = CommitNext(frameTime).slot) ending.lastSlot = slot;
    if (!Reading()) return ending; // the run has ended with the store's last slot
    if (cause == RunEnd::DeviceLost && state_.port.IsOpen()) {
        ending.port = state_.port.PortName();
        state_.port.ReleasePort();
    }
    EndRun();
    return ending;
}

ReadingSession::Commit ReadingSession::CommitNext(double frameTime) {
    FrameHealth health;
    const int slot = CommitHandedOverFrame(state_, frameTime, &health);
    if (slot == 0) return {};
    lineHealth_.Add(slot, health);
    CommitRow(slot);
    if (slot < MaxFrames) return {slot, false};
    (void)End(RunEnd::StoreFull, frameTime);
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
