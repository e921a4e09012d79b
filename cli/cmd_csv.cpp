#include "cli/commands.h"
#include "cli/file_command.h"
#include "files/csv_export.h"

namespace qv::cli {

const CommandSyntax& CsvSyntax() {
    static const CommandSyntax syntax{
        "csv",
        "IN.kvr [OUT.csv | -]",
        1,
        2,
        {},
        "Записывает CSV, как «Сохранить» с типом «Excel (*.csv)»: OUT по умолчанию — IN.csv,\n"
        "- — стандартный вывод."};
    return syntax;
}

int RunCsv(int argc, char** argv) {
    const CommandSyntax& syntax = CsvSyntax();
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const std::string& in = arguments->positional[0];
    const std::string out =
        arguments->positional.size() == 2 ? arguments->positional[1] : CsvPathFor(in);
    RecordingDocument document;
    if (!LoadForCommand(syntax.name, in, document)) return 2;
    return WriteOutput(syntax.name, in, out, CsvExportBytes(document));
}

} // namespace qv::cli
