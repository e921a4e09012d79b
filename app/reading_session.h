#pragma once

#include "acquisition/line_health.h"
#include "app/program_state.h"
#include "app/run_front.h"
#include "recording/frame_time.h"

#include <chrono>
#include <cstdint>
#include <thread>

namespace qv {

class KeepAwake;
class ReadingKeeper;

// One run of reading, from "Читать" to its end, on the thread that starts and stops it. It is
// the only writer of StopFlag and of FrameCount: it starts the run and its receiver thread,
// hears the receiver through the run's front, commits each handed-over frame into the next
// slot, ends the run for every cause through End, keeps every committed frame in the readings
// folder (through the keeper, without waiting for the disk), keeps the machine awake while the
// run lasts, and joins the receiver. Keeper and keep-awake are optional: without them frames
// are only kept in memory.
class ReadingSession {
public:
    // `startReceiver`: null starts the real receiver threads (StartReceiver).
    explicit ReadingSession(ProgramState& state, ReadingKeeper* keeper = nullptr,
                            KeepAwake* keepAwake = nullptr, ReceiverStarter startReceiver = {});
    // Ends a run that still goes on and joins its receiver.
    ~ReadingSession();
    ReadingSession(const ReadingSession&) = delete;
    ReadingSession& operator=(const ReadingSession&) = delete;

    // Starts a run whose receiver the caller runs itself (on virtual time): the next frame
    // fills slot 1, the stop flag is cleared and the hand-over begins a new generation, which
    // only the receiver of this run may publish into. Returns that generation. A run that
    // still goes on is stopped first (its frames are stamped `startedAt`).
    std::uint64_t Start(const LocalDateTime& startedAt);
    // Starts a run with its receiver thread (Thread2 when `inverted`), whose news reaches
    // `front` on the front's thread. The receiver of an earlier run is joined first. `front`
    // must stay until the receiver is joined (JoinReceiver, or the session's end).
    std::uint64_t Start(const LocalDateTime& startedAt, bool inverted, RunFront& front);
    // Every end of a run comes here, with its cause: the stop flag is set, no receiver can
    // hand over any more, the frames handed over before are committed, stamped `frameTime`
    // (after the store's last slot there is no room for them), and a lost device's port is
    // released. Does nothing outside a run.
    RunEnding End(RunEnd cause, double frameTime);
    bool Reading() const { return state_.StopFlag.load() == 0; }
    // Waits for the receiver thread of the latest run to return (within about 115 ms of the
    // run's end). The program's end joins it within its closing pause.
    void JoinReceiver();

    struct Commit {
        int slot = 0;           // the slot filled, 0 when nothing was committed
        bool storeFull = false; // it was the store's last slot: the run has ended
    };
    // Commits the oldest handed-over frame into the next slot, stamped `frameTime`, and keeps
    // it on disk. After the last slot of the store the run ends (RunEnd::StoreFull).
    Commit CommitNext(double frameTime);

    // Whether every frame of the latest run is on disk (see ReadingKeeper), waiting up to
    // `wait` for the keeper; false without a keeper.
    bool LatestRunOnDisk(std::chrono::milliseconds wait) const;

    // Outside a run: the all-zero frame of the program's start goes into the next slot.
    int CommitStartUpFrame(double frameTime);
    // Outside a run: a recording of `length` frames replaced the store's contents (the line's
    // health of the last run no longer describes them).
    void RecordingReplaced(int length);
    // Outside a run: frame `slot` was deleted and the later rows moved down.
    void FrameDeleted(int slot);

    // The health of the line over the current run (or the last one), frame by frame as
    // committed; a new run starts it afresh.
    const LineHealthTally& LineHealth() const { return lineHealth_; }

private:
    void CommitRow(int slot);
    void EndRun();
    // The receiver callbacks of run `generation`: its news, posted to `front`.
    ReceiverCallbacks CallbacksFor(std::uint64_t generation, RunFront& front);
    // On the front's thread: the receiver of run `generation` ended it for `cause`.
    void ReceiverEnded(std::uint64_t generation, RunEnd cause, RunFront& front);

    ProgramState& state_;
    ReadingKeeper* keeper_;
    KeepAwake* keepAwake_;
    ReceiverStarter startReceiver_;
    LineHealthTally lineHealth_;
    // The hand-over generation of the latest run: the one count of runs.
    std::uint64_t run_ = 0;
    std::thread receiver_;
};

} // namespace qv
