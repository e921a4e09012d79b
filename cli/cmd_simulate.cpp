#include "app/program_state.h"
#include "app/simulated_reading.h"
#include "cli/commands.h"
#include "cli/file_command.h"
#include "files/recording_file.h"
#include "recording/frame_time.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv::cli {
namespace {

// Every recording made by this command starts at this time of day, so that the same
// arguments always give the same file.
constexpr LocalDateTime StartTime{1899, 12, 30, 10, 0, 0, 0};

// The comment's lines: the text split at line breaks and at the two characters "\n" (as a
// shell passes them); a CR before a line break is dropped. An empty text is no comment.
std::vector<std::string> CommentLines(const std::string& text) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool escaped = text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n';
        if (text[i] == '\n' || escaped) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
            if (escaped) ++i;
        } else {
            line += text[i];
        }
    }
    lines.push_back(line);
    return lines;
}

} // namespace

const CommandSyntax& SimulateSyntax() {
    static const CommandSyntax syntax{
        "simulate",
        "OUT.kvr",
        1,
        1,
        {NumberOption("--frames", "N", 1, MaxFrames, "сколько кадров записать; по умолчанию 200"),
         NumberOption("--seed", "S", 0, UINT64_MAX,
                      "начальное число имитатора: одно число — один и тот же файл; по\n"
                      "умолчанию 1995, холодный пуск, который играет «SIM» в программе"),
         TextOption("--comment", "TEXT", "комментарий к записи, строки через \\n")},
        "Записывает N кадров имитатора блока «SIM» через настоящие приёмник и запись кадров, в\n"
        "виртуальном времени (без ожидания): холодный пуск и прогрев на холостом ходу, кадры\n"
        "с 10:00:00."};
    return syntax;
}

// Records the simulated unit "SIM" on virtual time through the real receiver and frame commit
// and saves the recording.
int RunSimulate(int argc, char** argv) {
    const CommandSyntax& syntax = SimulateSyntax();
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const std::string& out = arguments->positional[0];
    SimulatedReading reading;
    reading.startTime = ToFrameTime(StartTime);
    reading.frames = static_cast<int>(arguments->Number("--frames", reading.frames));
    reading.seed = arguments->Unsigned("--seed", reading.seed);

    auto state = std::make_unique<ProgramState>();
    const int length = ReadSimulatedUnit(*state, reading);
    if (length != reading.frames) {
        PrintProblem(syntax.name, "имитатор дал " + std::to_string(length) + " кадров из " +
                                      std::to_string(reading.frames));
        return 2;
    }
    const RecordingDocument document =
        DocumentFromStore(state->store, length, {}, RecordingDocument{}.markers,
                          CommentLines(arguments->Text("--comment", "")));
    std::string bytes;
    if (FileStatus status = RecordingBytesForSaving(document, bytes); !status.ok())
        return ReportFailure(syntax.name, out, status);
    return WriteOutput(syntax.name, "", out, bytes);
}

} // namespace qv::cli
