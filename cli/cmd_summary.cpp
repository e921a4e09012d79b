// quintovar-cli summary: the length of a recording and the range of each of its values.
#include "cli/commands.h"
#include "cli/decimal_separator.h"
#include "cli/file_command.h"
#include "recording/recording_summary.h"

#include <cstdio>
#include <memory>

namespace qv::cli {

const CommandSyntax& SummarySyntax() {
    static const CommandSyntax syntax{
        "summary",
        "IN.kvr",
        1,
        1,
        DisplayOptions(),
        "Печатает сводку записи: число кадров, время, промежуток между кадрами; для каждого\n"
        "параметра наименьшее, наибольшее (с номером кадра) и среднее, как их показывает панель;\n"
        "для каждого флага, в скольких кадрах и в какой доле кадров он установлен."};
    return syntax;
}

int RunSummary(int argc, char** argv) {
    const CommandSyntax& syntax = SummarySyntax();
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    RecordingDocument document;
    if (!LoadForCommand(syntax.name, arguments->positional[0], document)) return 2;
    auto store = std::make_unique<RecordingStore>();
    ApplyToStore(document, *store);
    const RecordingSummary summary = SummarizeRecording(
        *store, document.Length(), DisplaySettingsFrom(*arguments), WindowDecimalSeparator());
    for (const std::string& line : SummaryLines(summary)) std::printf("%s\n", line.c_str());
    return 0;
}

} // namespace qv::cli
