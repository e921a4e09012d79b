#include "acquisition/critical_thread.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <filesystem>
#include <sched.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv {

std::vector<std::string> RealTimeHelperCandidates(const std::string& programPath) {
    const std::filesystem::path dir = std::filesystem::path(programPath).parent_path();
    return {(dir / "quintovar-rt").string(),
            (dir / ".." / "libexec" / "quintovar" / "quintovar-rt").string()};
}

namespace {

// SCHED_FIFO for the calling thread only; its children start as ordinary threads.
bool SetRealTime(int priority) {
    sched_param param{};
    param.sched_priority = priority;
    return sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &param) == 0;
}

// The highest real-time priority RLIMIT_RTPRIO lets this user take, at most `wanted`; the soft
// limit is raised to the hard one first (that needs no rights). 0 when none is allowed.
int PriorityWithinLimit(int wanted) {
    rlimit limit{};
    if (getrlimit(RLIMIT_RTPRIO, &limit) != 0) return 0;
    const rlim_t allowed = std::min<rlim_t>(limit.rlim_max, static_cast<rlim_t>(wanted));
    if (limit.rlim_cur < allowed) {
        limit.rlim_cur = allowed;
        if (setrlimit(RLIMIT_RTPRIO, &limit) != 0) return 0;
    }
    return static_cast<int>(std::min<rlim_t>(limit.rlim_cur, static_cast<rlim_t>(wanted)));
}

std::string ProgramPath() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

// Asks the installed helper, which holds the right to set real-time priorities, to give this
// thread RealTimePriority. The helper checks that the thread is its caller's and the caller's
// user its own.
bool AskRealTimeHelper() {
    const std::string program = ProgramPath();
    if (program.empty()) return false;
    const std::string tid = std::to_string(static_cast<long>(syscall(SYS_gettid)));
    const std::string priority = std::to_string(RealTimePriority);
    for (const std::string& helper : RealTimeHelperCandidates(program)) {
        if (access(helper.c_str(), X_OK) != 0) continue;
        char* argv[] = {const_cast<char*>(helper.c_str()), const_cast<char*>(tid.c_str()),
                        const_cast<char*>(priority.c_str()), nullptr};
        pid_t child = 0;
        char* noEnvironment[] = {nullptr};
        if (posix_spawn(&child, helper.c_str(), nullptr, nullptr, argv, noEnvironment) != 0)
            continue;
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        // The policy comes back with the SCHED_RESET_ON_FORK flag the helper sets.
        if ((sched_getscheduler(0) & ~SCHED_RESET_ON_FORK) == SCHED_FIFO) return true;
    }
    return false;
}

} // namespace

ThreadPriorityLevel RaiseCurrentThreadPriority() {
    if (SetRealTime(RealTimePriority)) return ThreadPriorityLevel::TimeCritical;
    const int allowed = PriorityWithinLimit(RealTimePriority);
    if (allowed > 0 && SetRealTime(allowed)) return ThreadPriorityLevel::TimeCritical;
    if (AskRealTimeHelper()) return ThreadPriorityLevel::TimeCritical;
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
