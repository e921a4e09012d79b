#include "acquisition/critical_thread.h"

#include <windows.h>

#include <thread>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace qv {

ThreadPriorityLevel RaiseCurrentThreadPriority() {
    return SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL)
               ? ThreadPriorityLevel::TimeCritical
               : ThreadPriorityLevel::Normal;
}

void PrepareCurrentThreadForShortSleeps() {}

namespace {

// One high-resolution waitable timer per thread (Windows 10 1803 and later); without it the
// ordinary sleep is far too coarse, so the thread only yields.
struct ThreadTimer {
    HANDLE handle = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                           TIMER_ALL_ACCESS);
    ~ThreadTimer() {
        if (handle) CloseHandle(handle);
    }
};

} // namespace

void SleepNanoseconds(std::int64_t nanoseconds) {
    if (nanoseconds <= 0) return;
    thread_local ThreadTimer timer;
    if (!timer.handle) {
        std::this_thread::yield();
        return;
    }
    LARGE_INTEGER due;
    due.QuadPart = -(nanoseconds / 100 > 0 ? nanoseconds / 100 : 1); // relative, 100 ns units
    if (SetWaitableTimer(timer.handle, &due, 0, nullptr, nullptr, FALSE))
        WaitForSingleObject(timer.handle, INFINITE);
    else
        std::this_thread::yield();
}

} // namespace qv
