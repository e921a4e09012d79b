// quintovar-rt TID PRIORITY: gives thread TID of the calling process real-time scheduling
// (SCHED_FIFO at PRIORITY, 1 to 20), so that Quintovar's receiver can sample the data line on
// time for a user without rights of their own.
//
// The installed copy holds the one capability CAP_SYS_NICE (set by the package, executable
// only by root and the "dialout" group). It therefore trusts nothing it is given: it reads two
// numbers and nothing else, no environment, no files but the kernel's own /proc entries; it
// acts only on a thread of the process that started it, owned by the user who started it; and
// the thread's children do not inherit the priority. So it grants no more than a limits file
// giving "dialout" rtprio 20 would.
#include <cstdio>
#include <sched.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

constexpr long HighestPriority = 20;

bool ParseNumber(const char* text, long highest, long& value) {
    if (!text || !*text) return false;
    value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + (*c - '0');
        if (value > highest) return false;
    }
    return value > 0;
}

// Whether thread `tid` belongs to process `pid` and its real user is `uid` (from the kernel's
// /proc/PID/task/TID/status).
bool ThreadOf(pid_t pid, long tid, uid_t uid) {
    char path[96];
    std::snprintf(path, sizeof path, "/proc/%ld/task/%ld/status", static_cast<long>(pid), tid);
    FILE* status = std::fopen(path, "re");
    if (!status) return false;
    bool sameProcess = false, sameUser = false;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        long number = -1;
        if (std::sscanf(line, "Tgid: %ld", &number) == 1) sameProcess = number == pid;
        if (std::sscanf(line, "Uid: %ld", &number) == 1) sameUser = number == static_cast<long>(uid);
    }
    std::fclose(status);
    return sameProcess && sameUser;
}

} // namespace

int main(int argc, char** argv) {
    long tid = 0, priority = 0;
    if (argc != 3 || !ParseNumber(argv[1], 1L << 30, tid) ||
        !ParseNumber(argv[2], HighestPriority, priority)) {
        std::fputs("usage: quintovar-rt TID PRIORITY (1 to 20), started by Quintovar\n", stderr);
        return 2;
    }
    // A refusal is told by the exit status alone: the program falls back quietly (a copy
    // without its capability, as in a build folder, is refused every time).
    const pid_t caller = getppid();
    if (caller <= 1 || !ThreadOf(caller, tid, getuid())) return 1;
    sched_param param{};
    param.sched_priority = static_cast<int>(priority);
    return sched_setscheduler(static_cast<pid_t>(tid), SCHED_FIFO | SCHED_RESET_ON_FORK, &param) == 0 ? 0 : 1;
}
