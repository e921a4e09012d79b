#include "cli/commands.h"
#include "cli/file_command.h"

namespace qv::cli {

const CommandSyntax& ResaveSyntax() {
    static const CommandSyntax syntax{
        "resave", "IN.kvr OUT.kvr",
        2,        2,
        {},       "Загружает запись и сохраняет её копию, как «Загрузить» и «Сохранить»."};
    return syntax;
}

int RunResave(int argc, char** argv) {
    const CommandSyntax& syntax = ResaveSyntax();
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
