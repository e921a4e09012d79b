// quintovar-cli export: the recording decoded, one row per frame, for spreadsheets and log
// viewers.
#include "cli/commands.h"
#include "cli/file_command.h"
#include "files/decoded_export.h"

namespace qv::cli {

const CommandSyntax& ExportSyntax() {
    static const CommandSyntax syntax{
        "export",
        "IN.kvr OUT.csv|-",
        2,
        2,
        DisplayOptions(),
        "Записывает значения, как их показывает панель, по строке на кадр: CSV в UTF-8 через\n"
        "запятую, с точкой в числах, заголовок называет единицы."};
    return syntax;
}

int RunExport(int argc, char** argv) {
    const CommandSyntax& syntax = ExportSyntax();
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const std::string& in = arguments->positional[0];
    RecordingDocument document;
    if (!LoadForCommand(syntax.name, in, document)) return 2;
    return WriteOutput(syntax.name, in, arguments->positional[1],
                       DecodedCsvBytes(document, DisplaySettingsFrom(*arguments)));
}

} // namespace qv::cli
