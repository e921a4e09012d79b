#pragma once

#include <QMetaObject>
#include <QObject>

#include <memory>
#include <mutex>

namespace qv {

// Lets a worker thread queue calls to a main-thread object that may be destroyed meanwhile:
// after Detach() the calls are dropped instead of reaching a dead object.
class ReceiverLink {
public:
    explicit ReceiverLink(QObject* target) : target_(target) {}

    template <typename Function> void Post(Function function) {
        std::lock_guard lock(mutex_);
        if (target_) QMetaObject::invokeMethod(target_, std::move(function), Qt::QueuedConnection);
    }

    void Attach(QObject* target) {
        std::lock_guard lock(mutex_);
        target_ = target;
    }
    void Detach() { Attach(nullptr); }

private:
    std::mutex mutex_;
    QObject* target_;
};

} // namespace qv
