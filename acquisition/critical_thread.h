#pragma once

#include <cstdint>
#include <memory>

namespace qv {

// How far a thread's priority could be raised.
enum class ThreadPriorityLevel {
    TimeCritical, // Windows time-critical, or Linux SCHED_FIFO
    RaisedNice,   // Linux: a raised nice level (real-time scheduling not permitted)
    Normal,       // nothing could be raised
};

// Raises the calling thread to time-critical priority as far as the system permits.
ThreadPriorityLevel RaiseCurrentThreadPriority();

// Lets the calling thread sleep as exactly as the system allows (Linux: 1 ns timer slack).
void PrepareCurrentThreadForShortSleeps();

// Sleeps about `nanoseconds` (as exactly as the platform's timers allow).
void SleepNanoseconds(std::int64_t nanoseconds);

// A worker thread with an overridable body. Start() creates it, gives it time-critical
// priority before the body runs, and lets go of it: nothing keeps or waits for the thread,
// which owns the object and destroys it when the body returns.
class CriticalThread {
public:
    virtual ~CriticalThread() = default;

    static void Start(std::unique_ptr<CriticalThread> thread);

protected:
    virtual void Execute() = 0;

    // The priority the thread got; valid inside Execute().
    ThreadPriorityLevel Priority() const { return priority_; }

private:
    ThreadPriorityLevel priority_ = ThreadPriorityLevel::Normal;
};

} // namespace qv
