#pragma once

#include "acquisition/line_receiver.h"
#include "acquisition/port_device.h"
#include "acquisition/timing_check.h"
#include "app/run_front.h"
#include "ui/dialogs.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

namespace qv {

class KeepAwake;
class ReadingSession;
class SharedView;
struct ProgramState;

// Starts one timing check; false, starting nothing, while one still measures.
using TimingCheckStarter = std::function<bool(
    ProgramState& state, const std::string& decimalSeparator, TimingCheckCallbacks callbacks)>;

// What the windows get from outside: the ports, the receiver, the dialogs, the settings file and
// the command line. The program fills it with the real ones; tests with fakes, so that no test
// opens a real device or touches the user's settings.
struct UiServices {
    std::shared_ptr<PortSystem> portSystem; // null: the machine's serial ports and "SIM"
    ReceiverStarter startReceiver;          // null: the real receiver threads
    TimingCheckStarter startTimingCheck;    // null: the real timing check thread
    std::shared_ptr<Dialogs> dialogs;       // null: the platform's dialogs
    QString settingsPath;                   // full path of the settings file
    QStringList arguments;                  // command-line arguments after the program's name
    QString documentsFolder;                // where the file dialogs start in a run
    QString readingsFolder;                 // where readings are kept; empty: nowhere
    std::shared_ptr<KeepAwake> keepAwake;   // null: the machine may sleep while reading
    int closePauseMs = 2000;
};

// What a window may take from the program when it is created.
struct WindowParts {
    ProgramState& state;
    SharedView& view;
    const UiServices& services;
    const ReadingSession& session;
};

} // namespace qv
