// Keeping the machine awake on Linux: logind's inhibitor lock. logind hands out a file
// descriptor; the lock lasts while any copy of it is open, so it ends with the release or with
// the process, however it ends.
#include "desktop/machine_keep_awake.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>

namespace qv {
namespace {

// How long a start of reading waits at most for logind's answer.
constexpr int InhibitReplyMs = 1000;

class LogindKeepAwake : public KeepAwake {
public:
    void Hold() override {
        if (held_.isValid()) return;
        QDBusConnection bus = QDBusConnection::systemBus();
        if (!bus.isConnected()) return;
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
        call << QStringLiteral("sleep:idle") << QStringLiteral("Quintovar")
             << QStringLiteral("Идёт чтение блока управления двигателем")
             << QStringLiteral("block");
        const QDBusReply<QDBusUnixFileDescriptor> reply =
            bus.call(call, QDBus::Block, InhibitReplyMs);
        if (reply.isValid()) held_ = reply.value();
    }

    void Release() override { held_ = QDBusUnixFileDescriptor(); }

private:
    QDBusUnixFileDescriptor held_;
};

} // namespace

std::shared_ptr<KeepAwake> MachineKeepAwake() {
    return std::make_shared<LogindKeepAwake>();
}

} // namespace qv
