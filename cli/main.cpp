#include "cli/commands.h"
#include "cli/usage.h"
#include "cli/utf8_console.h"

#include <cstdio>
#include <string>
#include <vector>

namespace qv::cli {
namespace {

// Every command of the companion; each lives in its own cli/cmd_*.cpp file.
const Command Commands[] = {
    {CsvSyntax, RunCsv},         {ExportSyntax, RunExport},   {ResaveSyntax, RunResave},
    {PanelSyntax, RunPanel},     {SummarySyntax, RunSummary}, {ReadingsSyntax, RunReadings},
    {ReceiveSyntax, RunReceive}, {ReadSyntax, RunRead},       {SimulateSyntax, RunSimulate},
#ifdef QV_CLI_PLOT // needs Qt Gui, absent from the Windows cross build of the core
    {PlotSyntax, RunPlot},
#endif
};

// Everything a command printed must have reached its standard output (a full disk, a closed
// pipe): otherwise the command fails, whatever it returned.
int CheckedExit(const char* command, int status) {
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (written || status != 0) return status; // a failed command has said why already
    std::fprintf(stderr, "quintovar-cli %s: стандартный вывод записан не полностью\n", command);
    return 2;
}

void Print(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

std::string CompanionHelp() {
    std::vector<const CommandSyntax*> syntaxes;
    for (const Command& command : Commands) syntaxes.push_back(&command.syntax());
    return ProgramHelp(syntaxes);
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
        std::fputs("quintovar-cli: не указана команда\n\n", stderr);
        Print(stderr, CompanionHelp());
        return 2;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        Print(stdout, CompanionHelp());
        return CheckedExit("--help", 0);
    }
    if (first == "--version") {
        Print(stdout, "quintovar-cli " QV_VERSION "\n");
        return CheckedExit("--version", 0);
    }
    for (const Command& command : Commands) {
        const CommandSyntax& syntax = command.syntax();
        if (first != syntax.name) continue;
        if (AsksForHelp(syntax, argc - 2, argv + 2)) {
            Print(stdout, CommandHelp(syntax));
            return CheckedExit(syntax.name, 0);
        }
        return CheckedExit(syntax.name, command.run(argc - 2, argv + 2));
    }
    std::fprintf(stderr,
                 "quintovar-cli: неизвестная команда «%s»; список команд: quintovar-cli --help\n",
                 argv[1]);
    return 2;
}
