#include "ui/quintovar_app.h"
#ifdef QV_KEEP_AWAKE
#include "desktop/machine_keep_awake.h"
#endif
#include "files/readings_folder.h"
#include "files/settings_file.h"
#include "ui/qt_translation.h"
#include "ui/receiver_link.h"
#include "ui/shared_view.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

namespace qv {

QuintovarApp::QuintovarApp(UiServices services)
    : services_(std::move(services)), state_(std::make_unique<ProgramState>()),
      view_(std::make_unique<SharedView>(state_->settings)),
      keeperLink_(std::make_shared<ReceiverLink>(nullptr)) {
    if (!services_.readingsFolder.isEmpty()) {
        const std::shared_ptr<ReceiverLink> link = keeperLink_;
        const auto native = [](const std::string& text) {
            return QDir::toNativeSeparators(QString::fromStdString(text));
        };
        KeeperNews news;
        news.notice = [link, this, native](const std::string& text) {
            link->Post([this, text = native(text)] { form1_->KeeperNoticeQueued(text); });
        };
        news.recovered = [link, this, native](const std::string& text, const std::string& details) {
            link->Post([this, text = QString::fromStdString(text), details = native(details)] {
                form1_->ReadingsRecoveredQueued(text, details);
            });
        };
        news.kept = [link, this, native](const std::string& path) {
            link->Post([this, path = native(path)] { form1_->ReadingKeptQueued(path); });
        };
        const std::string folder = services_.readingsFolder.toStdString();
        keeper_ = std::make_unique<ReadingKeeper>(folder, KeeperEvents(folder, std::move(news)));
    }
    session_ = std::make_unique<ReadingSession>(*state_, keeper_.get(), services_.keepAwake.get(),
                                                services_.startReceiver);
}

QuintovarApp::~QuintovarApp() {
    keeperLink_->Detach(); // the windows go before the keeper has finished
}

void QuintovarApp::StartUp() {
    form1_ = std::make_unique<TForm1>(*state_, *session_, *view_, services_);
    keeperLink_->Attach(form1_.get());
    if (keeper_) keeper_->RecoverUnfinished();
    others_.Create({*state_, *view_, form1_->Services(), *session_});
    form1_->AttachWindows(others_);
    form1_->show();
    form1_->Timer1->start();
}

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

UiServices ProgramServices(const QStringList& arguments) {
    UiServices services;
    services.dialogs = std::make_shared<Dialogs>();
    services.arguments = arguments;
    services.documentsFolder = DocumentsFolder();
    // With the system's separators: a failed write names this path ("Unable to write to ...").
    const std::string programFolder = QApplication::applicationDirPath().toStdString();
    services.settingsPath =
        QDir::toNativeSeparators(QString::fromStdString(SettingsFilePath(programFolder)));
    services.readingsFolder =
        QDir::toNativeSeparators(QString::fromStdString(ReadingsFolderPath(programFolder)));
#ifdef QV_KEEP_AWAKE
    services.keepAwake = MachineKeepAwake();
#endif
    return services;
}

int RunQuintovar(int& argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quintovar"));
    InstallQtTranslation(application);
    // No display name: Qt would append it to every window caption ("… — Quintovar"), and the
    // captions must read exactly as given. The message boxes take the application name.
    QuintovarApp app(ProgramServices(QApplication::arguments().mid(1)));
    app.StartUp();
    QObject::connect(app.Window<TForm1>(), &TForm1::closed, &application,
                     [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}

} // namespace qv
