#pragma once

#include "files/readings_folder.h"
#include "recording/frame_time.h"
#include "recording/recording_store.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <variant>
#include <vector>

namespace qv {

struct KeeperOptions {
    ReadingsLimits limits;
    std::chrono::milliseconds retryEvery{3000}; // after a failed write
    // A seam for tests: while it returns true, every write to the disk fails as on a full disk.
    std::function<bool()> failWrites;
};

// Keeps every reading in the readings folder while it is read. The main thread only queues
// work here and never waits for the disk; the keeper's own thread appends each frame to the
// reading's journal and flushes it to the disk at once, folds the journal into the reading's
// recording file when the reading ends, completes the readings that a crash left unfinished,
// and removes the oldest readings beyond the folder's limits. It keeps its own copy of the
// running reading's frames (as journal records): after a failed write (a full disk, the folder
// gone) it tries again every few seconds and writes every frame it could not, so that the
// reading is whole on disk again once it can be.
class ReadingKeeper {
public:
    // Called on the keeper's thread.
    struct Events {
        // A start completed unfinished readings, or found journals it could not complete now.
        std::function<void(const Recovery& recovery)> recovered;
        // The reading that runs stopped being kept on disk (the folder cannot be written, the
        // disk is full): once, until it is kept again.
        std::function<void()> notKept;
        // After notKept: every frame of the reading is on disk again.
        std::function<void()> keptAgain;
        // A reading's recording file is complete: its file name.
        std::function<void(const std::string& name)> kept;
        // A reading's recording file could not be written at its end: its journal (file name)
        // stays, and the next start completes it.
        std::function<void(const std::string& journal)> notFolded;
    };
    ReadingKeeper(std::string folder, Events events, KeeperOptions options = {});
    // Finishes the work queued so far (a reading still open is folded, with one last try for
    // frames that could not be written), then ends the thread.
    ~ReadingKeeper();
    ReadingKeeper(const ReadingKeeper&) = delete;
    ReadingKeeper& operator=(const ReadingKeeper&) = delete;

    void RecoverUnfinished();
    // A new reading, named after `startedAt`; its file appears with its first frame.
    void BeginReading(const LocalDateTime& startedAt);
    // The frame committed into `slot` of the reading that runs.
    void KeepFrame(int slot, const FrameRow& row);
    void EndReading();
    // Whether every frame of the latest reading is on the disk, in its journal or its recording
    // file (true for a reading without frames). Waits up to `wait` for the work queued before;
    // false when that is not done by then.
    bool LatestReadingOnDisk(std::chrono::milliseconds wait);

private:
    struct Recover {};
    struct Begin {
        LocalDateTime startedAt;
    };
    struct Frame {
        int slot;
        FrameRow row;
    };
    struct End {};
    using Job = std::variant<Recover, Begin, Frame, End>;

    void Queue(Job job);
    void Run();
    void Do(const Recover&);
    void Do(const Begin&);
    void Do(const Frame&);
    void Do(const End&);
    // Writes the frames that are not on disk yet; true when every frame is.
    bool WriteWaiting();
    void Fold();
    // Ends the reading: the last try for its frames, then its journal is folded.
    void Close();
    bool Failing() const { return options_.failWrites && options_.failWrites(); }

    const std::string folder_;
    const Events events_;
    const KeeperOptions options_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool ending_ = false;
    bool latestOnDisk_ = true;

    // The reading that runs, on the keeper's thread only.
    LocalDateTime startedAt_;
    std::unique_ptr<JournalFile> journal_;
    std::string records_;     // the journal records of its frames, slot 1 first
    int frames_ = 0;          // how many
    std::size_t written_ = 0; // the first so many bytes of them are in the journal
    bool notKept_ = false;    // notKept told, keptAgain not yet
    bool ended_ = false;      // ended with frames waiting: folded once they are written
    // Never removed by this run: the readings its start recovered and the latest it kept.
    std::vector<std::string> keep_;
    std::string latest_;

    std::thread thread_; // last: starts once everything above exists
};

// What a program shows of the readings folder's news, each called on the keeper's thread: a
// notice (a reading not kept on disk, kept again, not folded), the start's recovery of
// unfinished readings (its short text and its whole account with full paths), and the full
// path of the recording a reading went to.
struct KeeperNews {
    std::function<void(const std::string& text)> notice;
    std::function<void(const std::string& text, const std::string& details)> recovered;
    std::function<void(const std::string& path)> kept;
};
// The keeper's events for `folder`, told as `news`.
ReadingKeeper::Events KeeperEvents(const std::string& folder, KeeperNews news);

// The information field's short text after a start that completed unfinished readings (it fits
// the field), and the whole account with full paths (for the field's hint and the companion).
std::string RecoveryNoticeText(const Recovery& recovery);
std::string RecoveryDetailsText(const Recovery& recovery, const std::string& folder);
// The notices of a reading that stopped being kept on disk, that is kept again, and whose
// recording could not be written at its end.
std::string NotKeptText();
// The same for the companion, which prints every frame but has no "Сохранить".
std::string NotKeptByCompanionText();
std::string KeptAgainText();
std::string NotFoldedText(const std::string& journalPath);
// Where the latest reading went.
std::string KeptText(const std::string& recordingPath);

} // namespace qv
