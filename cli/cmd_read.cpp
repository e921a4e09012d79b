#include "acquisition/port_choice.h"
#include "acquisition/reading_notices.h"
#include "acquisition/receiver_thread.h"
#include "app/program_state.h"
#include "app/reading_keeper.h"
#include "app/reading_session.h"
#include "cli/commands.h"
#include "cli/file_command.h"
#include "cli/frame_line.h"
#include "cli/line_health_report.h"
#include "cli/program_folder.h"
#include "files/file_io.h"
#include "files/readings_folder.h"
#include "recording/frame_time.h"
#ifdef QV_KEEP_AWAKE
#include "desktop/machine_keep_awake.h"
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qv::cli {
namespace {

// What the receiver thread tells the waiting main thread.
struct Signals {
    std::mutex mutex;
    std::condition_variable changed;
    bool frameReady = false;
    bool noCounter = false;
    bool deviceLost = false;
    bool finished = false;
    // How the line is read, each time that is decided; printed by the main thread.
    std::vector<std::string> notes;

    void Set(bool Signals::*flag) {
        {
            std::lock_guard lock(mutex);
            this->*flag = true;
        }
        changed.notify_all();
    }
    void Note(std::string note) {
        {
            std::lock_guard lock(mutex);
            notes.push_back(std::move(note));
        }
        changed.notify_all();
    }
};

// The port box's hint for how the line is read, and at less than real-time priority the
// window's notice about it.
std::string AcquisitionNote(AcquisitionMode mode, ThreadPriorityLevel priority) {
    const std::string note = AcquisitionText(mode, priority);
    if (priority == ThreadPriorityLevel::TimeCritical) return note;
    return note + ". " + LowPriorityText();
}

// The readings folder's reports, on the keeper's thread.
ReadingKeeper::Events KeeperReports(const std::string& folder) {
    const auto report = [](const std::string& text) {
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            std::fprintf(stderr, "quintovar-cli read: %s\n", text.substr(at, end - at).c_str());
            at = end + 1;
        }
    };
    ReadingKeeper::Events events;
    events.recovered = [report, folder](const Recovery& recovery) {
        report(RecoveryDetailsText(recovery, folder));
    };
    events.notKept = [report] { report(NotKeptText()); };
    events.keptAgain = [report] { report(KeptAgainText()); };
    events.kept = [folder](const std::string& name) {
        std::fprintf(stderr, "quintovar-cli read: чтение сохранено: %s\n",
                     JoinPath(folder, name).c_str());
    };
    events.notFolded = [report](const std::string& journal) { report(NotFoldedText(journal)); };
    return events;
}

// The signal (SIGINT, SIGTERM) that asked reading to end, 0 for none.
std::atomic<int> interruptedBy{0};
static_assert(std::atomic<int>::is_always_lock_free); // written in a signal handler

extern "C" void InterruptReading(int signal) {
    interruptedBy = signal;
}

} // namespace

const CommandSyntax& ReadSyntax() {
    static const CommandSyntax syntax{
        "read",
        "PORT",
        1,
        1,
        {NumberOption("--frames", "N", 1, MaxFrames, "сколько кадров прочитать; по умолчанию 10"),
         NumberOption("--seconds", "T", 1, INT_MAX,
                      "сколько секунд читать самое большее; по "
                      "умолчанию 30"),
         FlagOption("--inverted", "как «Инверсный адаптер»"),
         FlagOption("--dtr", "как «Напряжение лог.1 на DTR»")},
        "Читает кадры с последовательного порта (или «SIM») в реальном времени, как «Читать»,\n"
        "и печатает каждый, как receive, пока не придут N кадров или не пройдут T секунд.\n"
        "Как читается линия и с каким приоритетом потока, пишет в stderr. Состояние выхода 2,\n"
        "когда порт не открывается, 3, когда порт перестал отвечать. Каждое чтение хранится\n"
        "в папке чтений, как у окна (см. README). Ctrl+C (SIGINT) или SIGTERM заканчивают\n"
        "чтение, как его обычный конец, и состояние выхода тогда 130 или 143."};
    return syntax;
}

// Reads a real port the way the window does (choose the port, optionally DTR on, start the
// receiver thread, commit every frame and keep it in the readings folder) and prints every
// frame as `receive` does, until N frames have come or T seconds have passed. How the line is
// read, and at which thread priority, goes to stderr.
// Exit status 2 when the port cannot be opened, 3 when the receiver found the device gone
// (reading then ends at once, the frames before it printed). SIGINT and SIGTERM end reading as
// its normal end does (the reading is folded into its recording, which is named on stderr);
// the exit status is then 128 and the signal's number, as a shell reports a process that the
// signal ended.
int RunRead(int argc, char** argv) {
    const CommandSyntax& syntax = ReadSyntax();
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const char* port = arguments->positional[0].c_str();
    const auto frames = static_cast<int>(arguments->Number("--frames", 10));
    const auto seconds = static_cast<int>(arguments->Number("--seconds", 30));
    const bool inverted = arguments->Has("--inverted");
    const bool dtr = arguments->Has("--dtr");

    std::signal(SIGINT, InterruptReading);
    std::signal(SIGTERM, InterruptReading);
    // The readings folder is looked after from the start: a reading that a crash left unfinished
    // is completed first.
    const std::string folder = ReadingsFolderPath(ProgramFolder());
    ReadingKeeper keeper(folder, KeeperReports(folder));
    keeper.RecoverUnfinished();
#ifdef QV_KEEP_AWAKE
    const std::shared_ptr<KeepAwake> keepAwake = MachineKeepAwake();
#else
    const std::shared_ptr<KeepAwake> keepAwake;
#endif
    auto state = std::make_unique<ProgramState>();
    ReadingSession session(*state, &keeper, keepAwake.get());
    if (!ChoosePort(state->port, port)) {
        std::fprintf(stderr, "quintovar-cli read: Не удаётся открыть порт %s\n", port);
        return 2;
    }
    if (dtr && !SetDtr(state->port, true)) {
        std::fprintf(stderr, "quintovar-cli read: Не удаётся включить DTR на порту %s\n", port);
        state->port.ReleasePort();
        return 2;
    }

    auto signals = std::make_shared<Signals>();
    ReceiverCallbacks callbacks;
    callbacks.frameReady = [signals] { signals->Set(&Signals::frameReady); };
    callbacks.noCounter = [signals] { signals->Set(&Signals::noCounter); };
    callbacks.acquisition = [signals](AcquisitionMode mode, ThreadPriorityLevel priority) {
        signals->Note(AcquisitionNote(mode, priority));
    };
    callbacks.deviceLost = [signals] { signals->Set(&Signals::deviceLost); };
    callbacks.finished = [signals] { signals->Set(&Signals::finished); };
    StartReceiver(*state, session.Start(NowLocalDateTime()), inverted, std::move(callbacks));

    // Prints the notes that have come (the lock held; stderr is not the frames' stream).
    const auto printNotes = [&] {
        for (const std::string& note : signals->notes)
            std::fprintf(stderr, "quintovar-cli read: %s\n", note.c_str());
        signals->notes.clear();
    };
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int printed = 0;
    std::unique_lock lock(signals->mutex);
    while (printed < frames && interruptedBy == 0) {
        // A signal does not wake the wait: it is looked for every 100 ms.
        const auto until =
            std::min(end, std::chrono::steady_clock::now() + std::chrono::milliseconds(100));
        const bool woken = signals->changed.wait_until(lock, until, [&] {
            return signals->frameReady || signals->finished || !signals->notes.empty();
        });
        printNotes();
        if (!woken && until == end) break;
        if (!woken) continue;
        if (signals->frameReady) {
            signals->frameReady = false;
            lock.unlock();
            // The commit: each frame fills the next slot and is kept on disk.
            while (printed < frames && session.Reading()) {
                const ReadingSession::Commit commit = session.CommitNext(NowFrameTime());
                if (commit.slot == 0) break;
                std::puts(FrameLine(state->store.Row(commit.slot)).c_str());
                std::fflush(stdout);
                ++printed;
            }
            lock.lock();
            if (!session.Reading()) break; // the store is full
        } else if (signals->finished) {
            break; // no counter, or the device went away
        }
    }
    (void)session.Stop(NowFrameTime());
    // The receiver ends within about 115 ms; the state must outlive it.
    signals->changed.wait(lock, [&] { return signals->finished; });
    printNotes();
    const bool lost = signals->deviceLost, noCounter = signals->noCounter;
    lock.unlock();
    if (noCounter) std::puts("Однако не хотит:)");
    PrintLineHealth(syntax.name, session.LineHealth().Summary());

    state->port.ReleasePort();
    if (lost) {
        // The first line of the window's message: the second speaks of the window's recording.
        const std::string text = DeviceLostText(port);
        std::fprintf(stderr, "quintovar-cli read: %s\n", text.substr(0, text.find('\n')).c_str());
        return 3;
    }
    return interruptedBy != 0 ? 128 + interruptedBy : 0;
}

} // namespace qv::cli
