#pragma once

#include "acquisition/line_receiver.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace qv {

struct ReadingState;

// Why a run of reading ended.
enum class RunEnd {
    Stop,       // "Стоп", or the program ending the run: a load, a save, closing, a time limit
    StoreFull,  // the commit of the store's last slot
    DeviceLost, // the port's device is gone
    NoCounter,  // no high-resolution counter: the receiver never read the line
    LineEnded,  // a recorded line has played to its end
};

struct RunEnding {
    RunEnd cause = RunEnd::Stop;
    int lastSlot = 0; // the last slot that the end committed, 0 for none
    std::string port; // DeviceLost: the port the device was on, now released ("": none open)
};

// What shows a run of reading (the window, `quintovar-cli read`): how its thread is woken, and
// what it shows. The receiver's news reaches it on that thread, through Post, and the
// reading session has dealt with it first.
class RunFront {
public:
    virtual ~RunFront() = default;
    // Any thread (the receiver's): runs `task` on the front's thread soon, in the order posted.
    virtual void Post(std::function<void()> task) = 0;
    // The rest run on the front's thread. A frame was handed over: commit it
    // (ReadingSession::CommitNext), at once or after the commit delay.
    virtual void FrameHandedOver() = 0;
    // How the run's line is read, and at which thread priority: when the run starts and
    // whenever that changes.
    virtual void LineRead(AcquisitionMode mode, ThreadPriorityLevel priority) = 0;
    // The receiver has ended the run (device lost, no counter, line ended).
    virtual void RunEnded(const RunEnding& ending) = 0;
};

// A front whose own thread waits for the receiver's news and runs it as it comes (the
// companion; the window has Qt's queue instead).
class QueuedRunFront : public RunFront {
public:
    void Post(std::function<void()> task) override;
    // Runs the tasks posted by `until`, waiting for the first as long as none has come.
    void RunTasks(std::chrono::steady_clock::time_point until);

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

// Starts the receiver thread of a run (see StartReceiver) for the session to join. Tests start
// none and return a thread that is not joinable.
using ReceiverStarter = std::function<std::thread(ReadingState& state, std::uint64_t generation,
                                                  bool inverted, ReceiverCallbacks callbacks)>;

} // namespace qv
