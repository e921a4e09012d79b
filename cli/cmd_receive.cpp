#include "acquisition/edge_timed_line.h"
#include "acquisition/line_file.h"
#include "acquisition/line_receiver.h"
#include "acquisition/reading_notices.h"
#include "acquisition/virtual_line.h"
#include "app/program_state.h"
#include "app/reading_session.h"
#include "cli/commands.h"
#include "cli/file_command.h"
#include "cli/frame_line.h"
#include "files/file_io.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace qv::cli {
namespace {

// A line file of an hour's reading takes a few megabytes.
constexpr std::size_t MaxLineFileBytes = 64 * 1024 * 1024;

} // namespace

const CommandSyntax& ReceiveSyntax() {
    static const CommandSyntax syntax{
        "receive",
        "LINEFILE",
        1,
        1,
        {NumberOption("--frequency", "F", 1, 1'000'000'000'000,
                      "частота счётчика времени, Гц; по умолчанию 1000000"),
         NumberOption("--poll-ns", "P", 1, 1'000'000'000'000,
                      "сколько длится один цикл опроса линии, нс; по умолчанию 20000"),
         NumberOption("--read-ns", "R", 0, 1'000'000'000'000,
                      "сколько длится каждое чтение состояния линии, нс; по умолчанию 0\n"
                      "(у медленного USB-переходника — миллисекунда-две)"),
         FlagOption("--edges", "читать по изменениям линии, как порт, сообщающий о них сам,\n"
                               "а не постоянным опросом"),
         NumberOption("--wake-ns", "W", 0, 1'000'000'000'000,
                      "с --edges: на сколько позже порт сообщает об изменении, нс; по\n"
                      "умолчанию 50000"),
         FlagOption("--inverted", "читать линию как «Инверсный адаптер»")},
        "Прогоняет приёмник по записанной линии в виртуальном времени и печатает каждый кадр,\n"
        "который он передал бы: двенадцать отсчётов опознавателя, двенадцать байтов и признак\n"
        "конца.",
        "LINEFILE: по изменению уровня на строку, «<секунды> <уровень>» (1 — DSR включён),\n"
        "первая строка — уровень в момент 0 («0 1»); прогон кончается через секунду после\n"
        "последнего изменения."};
    return syntax;
}

// Runs the receiver in virtual time over a recorded line and prints every frame it hands over.
// --read-ns: every status read takes that long; --edges: the edge-timed path, each change
// reported --wake-ns late, instead of polling.
int RunReceive(int argc, char** argv) {
    const CommandSyntax& syntax = ReceiveSyntax();
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const std::string& path = arguments->positional[0];
    const std::int64_t frequency = arguments->Number("--frequency", 1'000'000);
    const std::int64_t pollNs = arguments->Number("--poll-ns", 20'000);
    const std::int64_t readNs = arguments->Number("--read-ns", 0);
    const std::int64_t wakeNs = arguments->Number("--wake-ns", 50'000);
    const bool inverted = arguments->Has("--inverted");
    const bool edges = arguments->Has("--edges");
    if (arguments->Has("--wake-ns") && !edges) {
        PrintProblem(syntax.name, "--wake-ns задаётся только вместе с --edges");
        return 2;
    }

    std::string text;
    if (FileStatus status = ReadWholeFile(path, text, MaxLineFileBytes); !status.ok())
        return ReportFailure(syntax.name, path, status);
    const LineFileResult parsed = ParseLineFile(text);
    if (!parsed.Ok) {
        PrintProblem(syntax.name, path + ": " + parsed.Error);
        return 2;
    }

    auto state = std::make_unique<ProgramState>();
    state->ReducedCpu = false;
    // A run of reading that prints every frame the receiver hands over, as it comes; the frames
    // do not go into the store (a line file may hold more than the store does).
    ReadingSession session(*state);
    const std::uint64_t generation = session.Start(LocalDateTime{});
    // The line ends a second after its last change, and the run with it.
    VirtualLine line(parsed.Recording, frequency, pollNs,
                     parsed.Recording.LastChangeNs() + 1'000'000'000);
    VirtualPortBehaviour port;
    port.ReadNs = readNs;
    port.WakeNs = wakeNs;
    line.SetBehaviour(port);
    ReceiverCallbacks callbacks;
    callbacks.frameReady = [&state] {
        while (auto handed = state->handOver.Take()) std::puts(FrameLine(*handed).c_str());
    };
    callbacks.noCounter = [] { std::puts(NoCounterText); };
    callbacks.lineEnded = [&session] { (void)session.End(RunEnd::LineEnded, 0.0); };
    const LinePolarity polarity = inverted ? LinePolarity::Inverted : LinePolarity::Straight;
    if (edges) {
        EdgeTimedLine stamped(line, line, line, line, VirtualEdgeTiming(frequency, pollNs, port));
        LineReceiver receiver(*state, generation, stamped, stamped, stamped, polarity, callbacks);
        receiver.Run();
    } else {
        LineReceiver receiver(*state, generation, line, line, line, polarity, callbacks);
        receiver.Run();
    }
    return 0;
}

} // namespace qv::cli
