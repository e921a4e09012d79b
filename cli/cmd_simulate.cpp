#include "acquisition/simulated_reading.h"
#include "cli/commands.h"
#include "cli/file_command.h"
#include "files/recording_file.h"
#include "recording/frame_time.h"
#include "recording/program_state.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace qv::cli {
namespace {

constexpr const char* kSimulateUsage = "simulate OUT.kvr [--frames N] [--seed S] [--comment TEXT]";

// Every recording made by this command starts at this time of day, so that the same
// arguments always give the same file.
constexpr LocalDateTime kStartTime{1899, 12, 30, 10, 0, 0, 0};

int Problem(const std::string& problem) {
    std::fprintf(stderr, "quintovar-cli simulate: %s\n", problem.c_str());
    return UsageError(kSimulateUsage);
}

bool ParseUnsigned(const char* text, std::uint64_t max, std::uint64_t& value) {
    if (!text || !*text) return false;
    value = 0;
    for (const char* c = text; *c; ++c) {
        const unsigned digit = static_cast<unsigned>(*c - '0');
        if (digit > 9 || value > (max - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

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

// Records the simulated unit "SIM" on virtual time through the real receiver and frame commit
// and saves the recording.
int RunSimulate(int argc, char** argv) {
    const char* out = nullptr;
    SimulatedReading reading;
    reading.startTime = ToFrameTime(kStartTime);
    std::string comment;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        std::uint64_t number = 0;
        if (std::strcmp(arg, "--frames") == 0) {
            if (!ParseUnsigned(value, MaxFrames, number) || number < 1)
                return Problem("--frames needs a whole number from 1 to " +
                               std::to_string(MaxFrames));
            reading.frames = static_cast<int>(number);
            ++i;
        } else if (std::strcmp(arg, "--seed") == 0) {
            if (!ParseUnsigned(value, UINT64_MAX, number))
                return Problem("--seed needs a whole number from 0 to " +
                               std::to_string(UINT64_MAX));
            reading.seed = number;
            ++i;
        } else if (std::strcmp(arg, "--comment") == 0) {
            if (!value) return Problem("--comment needs a text");
            comment = value;
            ++i;
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return Problem(std::string("unknown option ") + arg);
        } else if (!out) {
            out = arg;
        } else {
            return Problem("only one OUT.kvr may be given");
        }
    }
    if (!out) return Problem("OUT.kvr is missing");

    auto state = std::make_unique<ProgramState>();
    const int length = ReadSimulatedUnit(*state, reading);
    if (length != reading.frames) {
        std::fprintf(stderr, "quintovar-cli simulate: the simulated unit gave %d of %d frames\n",
                     length, reading.frames);
        return 2;
    }
    const RecordingDocument document = DocumentFromStore(
        state->store, length, {}, RecordingDocument{}.markers, CommentLines(comment));
    return ReportWrite("simulate", out, SaveRecordingFile(out, document));
}

} // namespace qv::cli
