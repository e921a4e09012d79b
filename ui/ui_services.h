#pragma once

#include "ui/dialogs.h"
#include "ui/reading_backend.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace qv {

// What the windows get from outside: the port layer, the dialogs, the settings file and the
// command line. The program fills it with the real ones; tests with fakes.
struct UiServices {
    std::shared_ptr<ReadingBackend> backend;
    std::shared_ptr<Dialogs> dialogs;
    QString settingsPath;  // full path of the settings file
    QStringList arguments; // command-line arguments after the program's name
    int closePauseMs = 2000;
};

} // namespace qv
