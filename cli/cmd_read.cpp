#include "acquisition/port_choice.h"
#include "acquisition/reading_notices.h"
#include "app/program_state.h"
#include "app/reading_keeper.h"
#include "app/reading_session.h"
#include "cli/commands.h"
#include "cli/file_command.h"
#include "cli/frame_line.h"
#include "cli/line_health_report.h"
#include "cli/program_folder.h"
#include "files/readings_folder.h"
#include "recording/frame_time.h"
#ifdef QV_KEEP_AWAKE
#include "desktop/machine_keep_awake.h"
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace qv::cli {
namespace {

// The companion's side of a run: the main thread commits and prints every frame (up to
// `wanted`) and prints how the line is read to stderr.
class ReadFront : public QueuedRunFront {
public:
    ReadFront(ReadingSession& session, const RecordingStore& store, int wanted)
        : session_(session), store_(store), wanted_(wanted) {}

    void FrameHandedOver() override {
        while (printed_ < wanted_ && session_.Reading()) {
            const ReadingSession::Commit commit = session_.CommitNext(NowFrameTime());
            if (commit.slot == 0) break;
            std::puts(FrameLine(store_.Row(commit.slot)).c_str());
            std::fflush(stdout);
            ++printed_;
        }
    }
    void LineRead(AcquisitionMode mode, ThreadPriorityLevel priority) override {
        // At less than real-time priority, with the window's notice about it.
        std::string note = AcquisitionText(mode, priority);
        if (priority != ThreadPriorityLevel::TimeCritical) note += ". " + LowPriorityText();
        std::fprintf(stderr, "quintovar-cli read: %s\n", note.c_str());
    }
    void RunEnded(const RunEnding& ending) override { ended_ = ending.cause; }

    // Whether the run goes on: frames still wanted, and the receiver has not ended it.
    bool Wanted() const { return printed_ < wanted_ && session_.Reading(); }
    std::optional<RunEnd> Ended() const { return ended_; }
    int Printed() const { return printed_; }

private:
    ReadingSession& session_;
    const RecordingStore& store_;
    const int wanted_;
    int printed_ = 0;
    std::optional<RunEnd> ended_;
};

// Whether the keeper's last word was that the reading is not on disk (set on its thread).
std::atomic<bool> notKeptSaid{false};

// The readings folder's reports, on the keeper's thread.
KeeperNews KeeperReports() {
    const auto report = [](const std::string& text) {
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            std::fprintf(stderr, "quintovar-cli read: %s\n", text.substr(at, end - at).c_str());
            at = end + 1;
        }
    };
    KeeperNews news;
    // Without the window's advice to save through its menu.
    news.notice = [report](const std::string& text) {
        const bool notKept = text == NotKeptText();
        if (notKept || text == KeptAgainText()) notKeptSaid = notKept;
        report(notKept ? NotKeptByCompanionText() : text);
    };
    news.recovered = [report](const std::string&, const std::string& details) { report(details); };
    news.kept = [](const std::string& path) {
        std::fprintf(stderr, "quintovar-cli read: чтение сохранено: %s\n", path.c_str());
    };
    return news;
}

// The signal (SIGINT, SIGTERM) that asked reading to end, 0 for none.
std::atomic<int> interruptedBy{0};
static_assert(std::atomic<int>::is_always_lock_free); // written in a signal handler

extern "C" void InterruptReading(int signal) {
    interruptedBy = signal;
    // A second Ctrl+C ends the program at once, even while its reading is being written.
    std::signal(signal, SIG_DFL);
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
    ReadingKeeper keeper(folder, KeeperEvents(folder, KeeperReports()));
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

    ReadFront front(session, state->store, frames);
    session.Start(NowLocalDateTime(), inverted, front);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (front.Wanted() && interruptedBy == 0 && std::chrono::steady_clock::now() < end) {
        // A signal does not wake the wait: it is looked for every 100 ms.
        front.RunTasks(
            std::min(end, std::chrono::steady_clock::now() + std::chrono::milliseconds(100)));
    }
    (void)session.End(RunEnd::Stop, NowFrameTime());
    session.JoinReceiver();
    // What the receiver told before it returned (how the line is read, an end of its own).
    front.RunTasks(std::chrono::steady_clock::now());
    if (front.Ended() == RunEnd::NoCounter) std::puts(NoCounterText);
    PrintLineHealth(syntax.name, session.LineHealth().Summary());
    // The keeper writes the reading's end at once; a disk that still refuses is said so (unless
    // the keeper just did), since the companion has no "Сохранить" to fall back on.
    if (front.Printed() > 0 && !session.LatestRunOnDisk(std::chrono::seconds(5)) && !notKeptSaid)
        std::fprintf(stderr, "quintovar-cli read: %s\n", NotKeptByCompanionText().c_str());

    state->port.ReleasePort();
    if (front.Ended() == RunEnd::DeviceLost) {
        // The first line of the window's message: the second speaks of the window's recording.
        const std::string text = DeviceLostText(port);
        std::fprintf(stderr, "quintovar-cli read: %s\n", text.substr(0, text.find('\n')).c_str());
        return 3;
    }
    return interruptedBy != 0 ? 128 + interruptedBy : 0;
}

} // namespace qv::cli
