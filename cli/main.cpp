#include "cli/commands.h"
#include "cli/utf8_console.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace qv::cli {
namespace {

// Every command of the companion; each lives in its own cli/cmd_*.cpp file.
const Command Commands[] = {
    {"csv",
     "csv IN.kvr [OUT.csv | -]  export a recording as CSV (OUT defaults to IN.csv; - is\n"
     "                            standard output)",
     RunCsv},
    {"export",
     "export IN.kvr OUT.csv|- [--khh K] [--temperature T] [--vozduh V]\n"
     "                            the values as the panel shows them, one row per frame\n"
     "                            (comma-separated UTF-8 with a header naming the units)",
     RunExport},
    {"resave", "resave IN.kvr OUT.kvr     load a recording and save a normalised copy", RunResave},
    {"panel",
     "panel IN.kvr [--frame N] [--khh K] [--temperature T] [--vozduh V] [--decimal C]\n"
     "                            print the panel of frame N (default: every frame)",
     RunPanel},
    {"receive",
     "receive LINEFILE [--frequency F] [--poll-ns P] [--inverted]\n"
     "                            run the line receiver over a recorded line in virtual time",
     RunReceive},
    {"read",
     "read PORT [--frames N] [--seconds T] [--inverted] [--dtr]\n"
     "                            read frames from a serial port (or SIM) in real time, as\n"
     "                            \"Читать\" does, until N frames (10) or T seconds (30)",
     RunRead},
    {"simulate",
     "simulate OUT.kvr [--frames N] [--seed S] [--comment TEXT]\n"
     "                            record N frames (default 200) of the simulated unit \"SIM\"",
     RunSimulate},
#ifdef QV_CLI_PLOT // needs Qt Gui, absent from the Windows cross build
    {"plot",
     "plot IN.kvr OUT.png|- [--start S] [--span N] [--cursor C] [--series LIST] [--khh K]\n"
     "       [--temperature T] [--vozduh V]\n"
     "                            draw the graph window's picture (601 x 201 PNG) of a span;\n"
     "                            LIST: up to six k or k:RRGGBB, k 0..21 (default 0,3,5);\n"
     "                            span defaults to the rest of the recording from S (1), the\n"
     "                            cursor to half the span; prints the caption and the labels",
     RunPlot},
#endif
    {nullptr, nullptr, nullptr},
};

void PrintHelp() {
    std::puts("quintovar-cli: the batch companion of Quintovar, the reader of the old Toyota\n"
              "one-way engine data stream.\n\nUsage: quintovar-cli COMMAND [ARGS]\n");
    for (const Command& command : Commands)
        if (command.name) std::printf("  %s\n", command.usage);
    std::puts("  --help    show this text");
}

// Everything a command printed must have reached its standard output (a full disk, a closed
// pipe): otherwise the command fails, whatever it returned.
int CheckedExit(const char* command, int status) {
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (written || status != 0) return status; // a failed command has said why already
    std::fprintf(stderr, "quintovar-cli %s: standard output could not be written completely\n",
                 command);
    return 2;
}

} // namespace
} // namespace qv::cli

int main(int argc, char** argv) {
    using namespace qv::cli;
    UseUtf8Console();
    std::vector<std::string> utf8 = Utf8Arguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : utf8) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    argv = pointers.data();
    if (argc < 2) {
        PrintHelp();
        return CheckedExit("--help", 2);
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintHelp();
        return CheckedExit("--help", 0);
    }
    for (const Command& command : Commands)
        if (command.name && std::strcmp(command.name, argv[1]) == 0)
            return CheckedExit(command.name, command.run(argc - 2, argv + 2));
    std::fprintf(stderr, "quintovar-cli: unknown command '%s' (see --help)\n", argv[1]);
    return 2;
}
