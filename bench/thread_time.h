#pragma once

#include <ctime>

namespace qv::bench {

// This thread's processor time in seconds (0 where it cannot be read): a wall time well above
// it was spent waiting or preempted.
inline double ThreadCpuSeconds() {
#ifdef _WIN32
    return 0;
#else
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
#endif
}

} // namespace qv::bench
