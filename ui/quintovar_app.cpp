#include "ui/quintovar_app.h"
#include "files/settings_file.h"
#include "ui/form1_main.h"
#include "ui/form3_graph.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"
#include "ui/form6_comment.h"
#include "ui/form7_bigfont.h"
#include "ui/form8_cable.h"
#include "ui/qt_translation.h"
#include "ui/shared_view.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

namespace qv {

QuintovarApp::QuintovarApp(UiServices services)
    : services_(std::move(services)), state_(std::make_unique<ProgramState>()),
      view_(std::make_unique<SharedView>(state_->settings)) {}

QuintovarApp::~QuintovarApp() {
    state_->StopFlag = 1;
    // The other windows refer to the main window; they go first.
    form8_.reset();
    form7_.reset();
    form6_.reset();
    form5_.reset();
    form4_.reset();
    form3_.reset();
    form1_.reset();
}

void QuintovarApp::StartUp() {
    form1_ = std::make_unique<TForm1>(*state_, *view_, services_);
    form3_ = std::make_unique<TForm3>(*state_, *view_, form1_->Services().dialogs);
    form4_ = std::make_unique<TForm4>();
    form5_ = std::make_unique<TForm5>();
    form6_ = std::make_unique<TForm6>();
    form7_ = std::make_unique<TForm7>(*view_);
    form8_ = std::make_unique<TForm8>(state_->port);
    form1_->AttachWindows(
        {form3_.get(), form4_.get(), form5_.get(), form6_.get(), form7_.get(), form8_.get()});
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
    services.settingsPath = QDir::toNativeSeparators(
        QString::fromStdString(SettingsFilePath(QApplication::applicationDirPath().toStdString())));
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
    QObject::connect(app.Form1(), &TForm1::closed, &application, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}

} // namespace qv
