// quintovar-cli export: the recording decoded, one row per frame, for spreadsheets and log
// viewers.
#include "cli/commands.h"
#include "cli/file_command.h"
#include "files/decoded_export.h"

namespace qv::cli {

int RunExport(int argc, char** argv) {
    static const CommandSyntax syntax{
        "export", "export IN.kvr OUT.csv|- [--khh K] [--temperature T] [--vozduh V]", 2, 2,
        DisplayOptions()};
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const std::string& in = arguments->positional[0];
    RecordingDocument document;
    if (!LoadForCommand(syntax.name, in, document)) return 2;
    return WriteOutput(syntax.name, in, arguments->positional[1],
                       DecodedCsvBytes(document, DisplaySettingsFrom(*arguments)));
}

} // namespace qv::cli
