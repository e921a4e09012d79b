#pragma once

#include "files/readings_folder.h"
#include "recording/frame_time.h"
#include "recording/recording_store.h"

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

// Keeps every reading in the readings folder while it is read. The main thread only queues
// work here and never waits for the disk; the keeper's own thread appends each frame to the
// reading's journal and flushes it to the disk at once, folds the journal into the reading's
// recording file when the reading ends, completes the readings that a crash left unfinished,
// and removes the oldest readings beyond the folder's limits.
class ReadingKeeper {
public:
    // Called on the keeper's thread.
    struct Events {
        // Unfinished readings were completed: their recordings' file names.
        std::function<void(const std::vector<std::string>& names)> recovered;
        // The reading that runs is not being kept (the folder cannot be written, the disk is
        // full): once a reading.
        std::function<void()> notKept;
        // A reading's recording file is complete: its file name.
        std::function<void(const std::string& name)> kept;
    };

    ReadingKeeper(std::string folder, Events events, ReadingsLimits limits = {});
    // Finishes the work queued so far (a reading still open is folded), then ends the thread.
    ~ReadingKeeper();
    ReadingKeeper(const ReadingKeeper&) = delete;
    ReadingKeeper& operator=(const ReadingKeeper&) = delete;

    const std::string& Folder() const { return folder_; }

    void RecoverUnfinished();
    // A new reading, named after `startedAt`; its file appears with its first frame.
    void BeginReading(const LocalDateTime& startedAt);
    // The frame committed into `slot` of the reading that runs.
    void KeepFrame(int slot, const FrameRow& row);
    void EndReading();
    // Returns once everything queued before the call is on the disk.
    void WaitUntilDone();

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
    void NotKept();

    const std::string folder_;
    const Events events_;
    const ReadingsLimits limits_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool ending_ = false;

    // The reading that runs, on the keeper's thread only.
    LocalDateTime startedAt_;
    std::unique_ptr<JournalFile> journal_;
    bool failed_ = false;

    std::thread thread_; // last: starts once everything above exists
};

// The information field's text after a start that completed unfinished readings.
std::string RecoveredReadingsText(const std::vector<std::string>& names);
// The notice of a reading that is not being kept on disk.
std::string NotKeptText();

} // namespace qv
