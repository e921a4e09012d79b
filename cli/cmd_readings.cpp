// quintovar-cli readings: the readings folder as the window's "Последние чтения…" lists it.
#include "cli/commands.h"
#include "cli/file_command.h"
#include "cli/program_folder.h"
#include "files/file_io.h"
#include "files/readings_folder.h"
#include "files/readings_list.h"

#include <filesystem>

namespace qv::cli {

const CommandSyntax& ReadingsSyntax() {
    static const CommandSyntax syntax{
        "readings",
        "[FOLDER]",
        0,
        1,
        {},
        "Печатает чтения из папки чтений (или из FOLDER), как их показывает «Последние чтения…»:\n"
        "новые сверху, по одному в строке, через табуляцию: начало, длительность, кадров,\n"
        "первая строка комментария, состояние (восстановлено, есть потери, повреждённый\n"
        "журнал), размер и путь к файлу.",
        "Папка чтений по умолчанию та же, что у окна (см. README); пока её нет, не печатается\n"
        "ничего. Файлы в папке только читаются."};
    return syntax;
}

int RunReadings(int argc, char** argv) {
    const CommandSyntax& syntax = ReadingsSyntax();
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const bool named = !arguments->positional.empty();
    const std::string folder =
        named ? arguments->positional[0] : ReadingsFolderPath(ProgramFolder());
    std::error_code ec;
    if (named && !std::filesystem::is_directory(PathFromUtf8(folder), ec)) {
        PrintProblem(syntax.name, "нет такой папки: " + folder);
        return 2;
    }
    std::string lines;
    for (const ReadingRow& row : ReadingRows(ScanReadingsFolder(folder)))
        lines += ReadingLine(row) + "\n";
    return WriteOutput(syntax.name, "", "-", lines);
}

} // namespace qv::cli
