#include "app/run_front.h"

namespace qv {

void QueuedRunFront::Post(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    posted_.notify_all();
}

void QueuedRunFront::RunTasks(std::chrono::steady_clock::time_point until) {
    std::unique_lock lock(mutex_);
    posted_.wait_until(lock, until, [this] { return !tasks_.empty(); });
    std::deque<std::function<void()>> tasks;
    tasks.swap(tasks_);
    lock.unlock();
    for (const std::function<void()>& task : tasks) task();
}

} // namespace qv
