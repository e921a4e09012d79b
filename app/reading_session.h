#pragma once

#include "acquisition/line_health.h"
#include "app/program_state.h"
#include "recording/frame_time.h"

#include <chrono>
#include <cstdint>

namespace qv {

class KeepAwake;
class ReadingKeeper;

// One run of reading, from "Читать" to its end, on the thread that starts and stops it. It is
// the only writer of StopFlag and of FrameCount: it starts and stops the run, commits each
// handed-over frame into the next slot, ends the run itself after the last slot of the store,
// keeps every committed frame in the readings folder (through the keeper, without waiting for
// the disk) and keeps the machine awake while the run lasts. Keeper and keep-awake are
// optional: without them frames are only kept in memory.
class ReadingSession {
public:
    explicit ReadingSession(ProgramState& state, ReadingKeeper* keeper = nullptr,
                            KeepAwake* keepAwake = nullptr);
    // Stops a run that still goes on.
    ~ReadingSession();
    ReadingSession(const ReadingSession&) = delete;
    ReadingSession& operator=(const ReadingSession&) = delete;

    // Starts a run: the next frame fills slot 1, the stop flag is cleared and the hand-over
    // begins a new generation, which only the receiver of this run may publish into. Returns
    // that generation. A run that still goes on is stopped first (its frames are stamped
    // `startedAt`).
    std::uint64_t Start(const LocalDateTime& startedAt);
    // Ends the run: the stop flag is set, no receiver can hand over any more, and the frames
    // handed over before the stop are committed, stamped `frameTime`. Returns the last slot
    // committed now, 0 for none. Does nothing outside a run.
    int Stop(double frameTime);
    bool Reading() const { return state_.StopFlag.load() == 0; }

    struct Commit {
        int slot = 0;           // the slot filled, 0 when nothing was committed
        bool storeFull = false; // it was the store's last slot: the run has ended
    };
    // Commits the oldest handed-over frame into the next slot, stamped `frameTime`, and keeps
    // it on disk. After the last slot of the store the run ends.
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

    ProgramState& state_;
    ReadingKeeper* keeper_;
    KeepAwake* keepAwake_;
    LineHealthTally lineHealth_;
};

} // namespace qv
