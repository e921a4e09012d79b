// quintovar-cli export: the recording decoded, one row per frame, for spreadsheets and log
// viewers.
#include "cli/commands.h"
#include "cli/decimal_separator.h"
#include "cli/file_command.h"
#include "files/decoded_export.h"
#include "files/file_io.h"
#include "files/readings_folder.h"

namespace qv::cli {

const CommandSyntax& ExportSyntax() {
    static const CommandSyntax syntax = [] {
        CommandSyntax exportSyntax{
            "export",
            "IN.kvr OUT.csv|-",
            2,
            2,
            DisplayOptions(),
            "Записывает значения, как их показывает панель, по строке на кадр: CSV в UTF-8 через\n"
            "запятую, с точкой в числах, заголовок называет единицы; с --spreadsheet — таблицу\n"
            "значений, которую электронная таблица открывает числами, как из окна."};
        exportSyntax.options.push_back(FlagOption(
            "--spreadsheet", "таблица значений, как её записывает окно («Таблица значений»):\n"
                             "заголовок по-русски, дата и время кадра, UTF-8 с меткой порядка\n"
                             "байтов; с разделителем , — ячейки через ;"));
        exportSyntax.options.push_back(
            ChoiceOption("--decimal", "C", {".", ","},
                         "с --spreadsheet: десятичный разделитель, . или ,; по умолчанию тот же,\n"
                         "что в окне (из настроек системы)"));
        return exportSyntax;
    }();
    return syntax;
}

int RunExport(int argc, char** argv) {
    const CommandSyntax& syntax = ExportSyntax();
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const bool spreadsheet = arguments->Has("--spreadsheet");
    if (arguments->Has("--decimal") && !spreadsheet) {
        PrintProblem(syntax.name, "--decimal задаётся только вместе с --spreadsheet");
        return 2;
    }
    const std::string& in = arguments->positional[0];
    RecordingDocument document;
    if (!LoadForCommand(syntax.name, in, document)) return 2;
    if (spreadsheet) DateFramesOfReading(PathToUtf8(PathFromUtf8(in).filename()), document.frames);
    const DisplaySettings settings = DisplaySettingsFrom(*arguments);
    return WriteOutput(
        syntax.name, in, arguments->positional[1],
        spreadsheet ? SpreadsheetTableBytes(document, settings,
                                            arguments->Text("--decimal", WindowDecimalSeparator()))
                    : DecodedCsvBytes(document, settings));
}

} // namespace qv::cli
