#include "acquisition/line_file.h"
#include "acquisition/line_receiver.h"
#include "acquisition/virtual_line.h"
#include "cli/commands.h"
#include "cli/frame_line.h"
#include "recording/program_state.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace qv::cli {
namespace {

bool ParseWhole(const char* text, std::int64_t& value) {
    if (!text || !*text) return false;
    value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9' || value > 1'000'000'000'000) return false;
        value = value * 10 + (*c - '0');
    }
    return true;
}

bool ParsePositive(const char* text, std::int64_t& value) {
    return ParseWhole(text, value) && value > 0;
}

int Usage(const char* problem) {
    std::fprintf(stderr,
                 "quintovar-cli receive: %s\n"
                 "usage: quintovar-cli receive LINEFILE [--frequency F] [--poll-ns P] "
                 "[--read-ns R] [--edges [--wake-ns W]] [--inverted]\n",
                 problem);
    return 2;
}

} // namespace

// Runs the receiver in virtual time over a recorded line and prints every frame it hands over.
// --read-ns: every status read takes that long; --edges: the edge-timed path, each change
// reported --wake-ns late, instead of polling.
int RunReceive(int argc, char** argv) {
    const char* path = nullptr;
    std::int64_t frequency = 1'000'000;
    std::int64_t pollNs = 20'000;
    std::int64_t readNs = 0;
    std::int64_t wakeNs = 50'000;
    bool inverted = false, edges = false, wakeGiven = false;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--inverted") == 0) {
            inverted = true;
        } else if (std::strcmp(arg, "--edges") == 0) {
            edges = true;
        } else if (std::strcmp(arg, "--read-ns") == 0) {
            if (!ParseWhole(i + 1 < argc ? argv[++i] : nullptr, readNs))
                return Usage("--read-ns needs a whole number of nanoseconds");
        } else if (std::strcmp(arg, "--wake-ns") == 0) {
            wakeGiven = true;
            if (!ParseWhole(i + 1 < argc ? argv[++i] : nullptr, wakeNs))
                return Usage("--wake-ns needs a whole number of nanoseconds");
        } else if (std::strcmp(arg, "--frequency") == 0) {
            if (!ParsePositive(i + 1 < argc ? argv[++i] : nullptr, frequency))
                return Usage("--frequency needs a positive whole number of ticks per second");
        } else if (std::strcmp(arg, "--poll-ns") == 0) {
            if (!ParsePositive(i + 1 < argc ? argv[++i] : nullptr, pollNs))
                return Usage("--poll-ns needs a positive whole number of nanoseconds");
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return Usage((std::string("unknown option ") + arg).c_str());
        } else if (!path) {
            path = arg;
        } else {
            return Usage("only one LINEFILE may be given");
        }
    }
    if (!path) return Usage("LINEFILE is missing");
    if (wakeGiven && !edges) return Usage("--wake-ns goes with --edges");

    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "quintovar-cli receive: cannot read %s\n", path);
        return 2;
    }
    std::ostringstream text;
    text << file.rdbuf();
    const LineFileResult parsed = ParseLineFile(text.str());
    if (!parsed.Ok) {
        std::fprintf(stderr, "quintovar-cli receive: %s: %s\n", path, parsed.Error.c_str());
        return 2;
    }

    auto state = std::make_unique<ProgramState>();
    state->ReducedCpu = false;
    state->StopFlag = 0;
    const std::uint64_t generation = state->handOver.BeginRun();
    // The run ends a second after the last change of the line.
    VirtualLine line(parsed.Recording, frequency, pollNs,
                     parsed.Recording.LastChangeNs() + 1'000'000'000, &state->StopFlag);
    VirtualPortBehaviour port;
    port.ReadNs = readNs;
    port.WakeNs = wakeNs;
    line.SetBehaviour(port);
    ReceiverCallbacks callbacks;
    callbacks.frameReady = [&state] {
        while (auto handed = state->handOver.Take()) std::puts(FrameLine(*handed).c_str());
    };
    callbacks.noCounter = [] { std::puts("Однако не хотит:)"); };
    const LinePolarity polarity = inverted ? LinePolarity::Inverted : LinePolarity::Straight;
    if (edges) {
        EdgeTimedLine stamped(line, line, line, line, VirtualEdgeTiming(frequency, pollNs, port));
        LineReceiver receiver(*state, generation, stamped, stamped, stamped, polarity, callbacks);
        receiver.Run();
    } else {
        LineReceiver receiver(*state, generation, line, line, line, polarity, callbacks);
        receiver.Run();
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace qv::cli
