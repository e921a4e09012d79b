#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace qv {

// How far a thread's priority could be raised.
enum class ThreadPriorityLevel {
    TimeCritical, // Windows time-critical, or Linux SCHED_FIFO
    RaisedNice,   // Linux: a raised nice level (real-time scheduling not permitted)
    Normal,       // nothing could be raised
};

// The Linux real-time (SCHED_FIFO) priority of a critical thread: above every ordinary
// thread, below the kernel's interrupt threads (50), and what the real-time helper grants.
constexpr int RealTimePriority = 20;

// Raises the calling thread to time-critical priority as far as the system permits. Linux, in
// this order: SCHED_FIFO at RealTimePriority (root or CAP_SYS_NICE), at the highest priority
// RLIMIT_RTPRIO allows (a limits file), through the installed real-time helper (see
// RealTimeHelperCandidates), then the best nice level this user may take.
ThreadPriorityLevel RaiseCurrentThreadPriority();

// Linux: where the real-time helper "quintovar-rt" may be, for a program at `programPath`:
// beside it (a build tree), then in ../libexec/quintovar/ (an installed program).
std::vector<std::string> RealTimeHelperCandidates(const std::string& programPath);

// Lets the calling thread sleep as exactly as the system allows (Linux: 1 ns timer slack).
void PrepareCurrentThreadForShortSleeps();

// Sleeps about `nanoseconds` (as exactly as the platform's timers allow).
void SleepNanoseconds(std::int64_t nanoseconds);

// A worker thread with an overridable body. Start() creates it and gives it time-critical
// priority before the body runs; the thread owns the object and destroys it when the body
// returns. The caller keeps the returned thread and joins it.
class CriticalThread {
public:
    virtual ~CriticalThread() = default;

    [[nodiscard]] static std::thread Start(std::unique_ptr<CriticalThread> thread);

protected:
    virtual void Execute() = 0;

    // The priority the thread got; valid inside Execute().
    ThreadPriorityLevel Priority() const { return priority_; }

private:
    ThreadPriorityLevel priority_ = ThreadPriorityLevel::Normal;
};

} // namespace qv
