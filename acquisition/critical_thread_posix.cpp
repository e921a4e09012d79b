#include "acquisition/critical_thread.h"

#include <algorithm>
#include <ctime>
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace qv {

ThreadPriorityLevel RaiseCurrentThreadPriority() {
    sched_param param{};
    // A high real-time priority, below the very top that kernel threads may need.
    param.sched_priority =
        std::clamp(50, sched_get_priority_min(SCHED_FIFO), sched_get_priority_max(SCHED_FIFO));
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0)
        return ThreadPriorityLevel::TimeCritical;
    // Without permission for real-time scheduling: the best nice level this user may take.
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    for (int nice = -20; nice < 0; ++nice)
        if (setpriority(PRIO_PROCESS, tid, nice) == 0) return ThreadPriorityLevel::RaisedNice;
    return ThreadPriorityLevel::Normal;
}

void PrepareCurrentThreadForShortSleeps() {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

void SleepNanoseconds(std::int64_t nanoseconds) {
    if (nanoseconds <= 0) return;
    timespec span{};
    span.tv_sec = static_cast<time_t>(nanoseconds / 1'000'000'000);
    span.tv_nsec = static_cast<long>(nanoseconds % 1'000'000'000);
    clock_nanosleep(CLOCK_MONOTONIC, 0, &span, nullptr);
}

} // namespace qv
