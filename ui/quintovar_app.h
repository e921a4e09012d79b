#pragma once

#include "app/program_state.h"
#include "app/reading_keeper.h"
#include "app/reading_session.h"
#include "ui/ui_services.h"

#include <memory>

namespace qv {

class ReceiverLink;
class SharedView;
class TForm1;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;

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

    ProgramState& State() { return *state_; }
    ReadingSession& Session() { return *session_; }
    // Null when readings are not kept (no readings folder).
    ReadingKeeper* Keeper() { return keeper_.get(); }
    // What the windows show in common (the recording's length, the frame on screen, ...).
    SharedView& View() { return *view_; }
    TForm1* Form1() { return form1_.get(); }
    TForm3* Form3() { return form3_.get(); }
    TForm4* Form4() { return form4_.get(); }
    TForm5* Form5() { return form5_.get(); }
    TForm6* Form6() { return form6_.get(); }
    TForm7* Form7() { return form7_.get(); }
    TForm8* Form8() { return form8_.get(); }
    TForm9* Form9() { return form9_.get(); } // "Живой график"

private:
    UiServices services_;
    std::unique_ptr<ProgramState> state_;
    std::unique_ptr<SharedView> view_; // outlives the windows that observe it
    // Brings the keeper's reports to the main window.
    std::shared_ptr<ReceiverLink> keeperLink_;
    std::unique_ptr<ReadingKeeper> keeper_;
    std::unique_ptr<ReadingSession> session_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TForm5> form5_;
    std::unique_ptr<TForm6> form6_;
    std::unique_ptr<TForm7> form7_;
    std::unique_ptr<TForm8> form8_;
    std::unique_ptr<TForm9> form9_;
};

// The user's documents folder (the home folder where there is none).
QString DocumentsFolder();

// The program's services: the real port layer, the platform dialogs, the settings file beside
// the executable, the readings folder, keeping the machine awake and the command line.
UiServices ProgramServices(const QStringList& arguments);

// The whole program: title, windows, message loop. Returns the exit code.
int RunQuintovar(int& argc, char** argv);

} // namespace qv
