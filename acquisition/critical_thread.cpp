#include "acquisition/critical_thread.h"

#include <thread>

namespace qv {

std::thread CriticalThread::Start(std::unique_ptr<CriticalThread> thread) {
    // The priority is raised on the new thread before its body runs: the same effect as
    // creating it suspended, raising it and then resuming it.
    return std::thread([owned = std::move(thread)]() mutable {
        owned->priority_ = RaiseCurrentThreadPriority();
        owned->Execute();
    });
}

} // namespace qv
