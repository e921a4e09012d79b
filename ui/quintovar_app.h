#pragma once

#include "app/program_state.h"
#include "app/reading_keeper.h"
#include "app/reading_session.h"
#include "ui/other_windows.h"
#include "ui/ui_services.h"

#include <memory>

namespace qv {

class ReceiverLink;
class SharedView;

// The program: its state and its windows, created in the program's order. Needs a
// QApplication.
class QuintovarApp {
public:
    explicit QuintovarApp(UiServices services);
    ~QuintovarApp();

    // Creates the windows (the main window first, the others hidden), shows the main window
    // and enables Timer1 once so that the all-zero start-up frame is committed into slot 1.
    // Readings that a crash left unfinished are completed meanwhile.
    void StartUp();

    // What tests and benchmarks look at: the state, the session and what the windows show in
    // common (the recording's length, the frame on screen, ...).
    ProgramState& State() { return *state_; }
    ReadingSession& Session() { return *session_; }
    SharedView& View() { return *view_; }
    // The main window, or one of the others; null before StartUp.
    template <class W> W* Window() {
        if constexpr (std::is_same_v<W, TForm1>)
            return form1_.get();
        else
            return others_.Get<W>();
    }

private:
    UiServices services_;
    std::unique_ptr<ProgramState> state_;
    std::unique_ptr<SharedView> view_; // outlives the windows that observe it
    // Brings the keeper's reports to the main window.
    std::shared_ptr<ReceiverLink> keeperLink_;
    std::unique_ptr<ReadingKeeper> keeper_;
    std::unique_ptr<ReadingSession> session_;
    std::unique_ptr<TForm1> form1_;
    OtherWindows others_; // they refer to the main window and go before it
};

// The user's documents folder (the home folder where there is none).
QString DocumentsFolder();

// The program's services: the real port layer, the platform dialogs, the settings file beside
// the executable, the readings folder, keeping the machine awake and the command line.
UiServices ProgramServices(const QStringList& arguments);

// The whole program: title, windows, message loop. Returns the exit code.
int RunQuintovar(int& argc, char** argv);

} // namespace qv
