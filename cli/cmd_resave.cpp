#include "cli/commands.h"
#include "cli/file_command.h"

namespace qv::cli {

int RunResave(int argc, char** argv) {
    static const CommandSyntax syntax{"resave", "resave IN.kvr OUT.kvr", 2, 2, {}};
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const std::string& in = arguments->positional[0];
    const std::string& out = arguments->positional[1];
    RecordingDocument document;
    if (!LoadForCommand(syntax.name, in, document)) return 2;
    std::string bytes;
    if (FileStatus status = RecordingBytesForSaving(document, bytes); !status.ok())
        return ReportFailure(syntax.name, out, status);
    return WriteOutput(syntax.name, in, out, bytes);
}

} // namespace qv::cli
