// fake_login1 BUS-ADDRESS LOG: a stand-in for logind's inhibitor locks on the bus at
// BUS-ADDRESS. It owns org.freedesktop.login1 and answers
// org.freedesktop.login1.Manager.Inhibit(what, who, why, mode) at /org/freedesktop/login1 with
// the write end of a new pipe, as logind hands out a lock's descriptor. LOG gets one line per
// call ("Inhibit<TAB>what<TAB>who<TAB>why<TAB>mode") and "released" when every copy of that
// descriptor has been closed (its pipe's read end sees the end of the stream). LOG is created
// only once the name is owned, so a caller waits for it before using the service.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

const QString Manager = QStringLiteral("org.freedesktop.login1.Manager");

class FakeManager : public QDBusVirtualObject {
public:
    explicit FakeManager(int log) : log_(log) {}

    QString introspect(const QString&) const override { return {}; }

    // Called on Qt D-Bus's own thread; each lock gets a thread that waits for its end.
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != Manager || message.member() != QStringLiteral("Inhibit") ||
            message.signature() != QStringLiteral("ssss"))
            return false;
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) return false;
        QString line = QStringLiteral("Inhibit");
        for (const QVariant& argument : message.arguments()) line += '\t' + argument.toString();
        Log(line.toStdString());
        // The reply holds a copy of the write end until it has been sent.
        connection.send(message.createReply(QVariant::fromValue(QDBusUnixFileDescriptor(ends[1]))));
        ::close(ends[1]);
        std::thread([this, readEnd = ends[0]] {
            char byte;
            while (::read(readEnd, &byte, 1) > 0) {
            }
            ::close(readEnd);
            Log("released");
        }).detach();
        return true;
    }

private:
    // One write per line on an appending descriptor: lines from several threads stay whole.
    void Log(std::string line) const {
        line += '\n';
        if (::write(log_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
            std::perror("fake_login1: log");
    }

    int log_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: fake_login1 BUS-ADDRESS LOG\n", stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromLocal8Bit(argv[1]), QStringLiteral("bus"));
    if (!bus.isConnected()) {
        std::fprintf(stderr, "fake_login1: no bus at %s\n", argv[1]);
        return 1;
    }
    // The log gets its name once the service is on the bus.
    const std::string logName = argv[2], unnamed = logName + ".part";
    const int log =
        ::open(unnamed.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    FakeManager manager(log);
    if (log < 0 ||
        !bus.registerVirtualObject(QStringLiteral("/org/freedesktop/login1"), &manager) ||
        !bus.registerService(QStringLiteral("org.freedesktop.login1")) ||
        ::rename(unnamed.c_str(), logName.c_str()) != 0) {
        std::fputs("fake_login1: cannot serve org.freedesktop.login1\n", stderr);
        return 1;
    }
    return app.exec();
}
