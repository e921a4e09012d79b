#include "cli/commands.h"
#include "cli/decimal_separator.h"
#include "cli/file_command.h"
#include "recording/panel.h"

#include <climits>
#include <cstdio>
#include <memory>

namespace qv::cli {
namespace {

void PrintPanel(const RecordingStore& store, int n, int length, const DisplaySettings& settings,
                const std::string& decimal) {
    const PanelLines panel = BuildPanel(store, n, length, settings, decimal);
    for (int row = 0; row < PanelRowCount; ++row)
        std::printf("%s\t%s\n", panel.labels[row].c_str(), panel.values[row].c_str());
}

} // namespace

const CommandSyntax& PanelSyntax() {
    static const CommandSyntax syntax = [] {
        CommandSyntax panel{
            "panel",
            "IN.kvr",
            1,
            1,
            {NumberOption("--frame", "N", INT_MIN, INT_MAX,
                          "кадр, панель которого печатать (1..длина записи); без него — все\n"
                          "кадры, через пустую строку")},
            "Печатает панель кадра, как её показывает окно: строка на параметр, название и\n"
            "значение через табуляцию."};
        for (const OptionRule& option : DisplayOptions()) panel.options.push_back(option);
        panel.options.push_back(ChoiceOption(
            "--decimal", "C", {".", ","},
            "десятичный разделитель: . или ,; по умолчанию тот же, что в окне (из настроек\n"
            "системы)"));
        return panel;
    }();
    return syntax;
}

// Prints the panel of one frame, or of every frame, to standard output.
int RunPanel(int argc, char** argv) {
    const CommandSyntax& syntax = PanelSyntax();
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const DisplaySettings settings = DisplaySettingsFrom(*arguments);
    const std::string decimal = arguments->Text("--decimal", WindowDecimalSeparator());
    RecordingDocument document;
    if (!LoadForCommand(syntax.name, arguments->positional[0], document)) return 2;
    const int length = document.Length();
    const bool oneFrame = arguments->Has("--frame");
    const auto frame = arguments->Number("--frame", 0);
    if (oneFrame && (frame < 1 || frame > length)) {
        PrintProblem(syntax.name, "--frame " + std::to_string(frame) + " вне пределов 1.." +
                                      std::to_string(length));
        return 2;
    }
    auto store = std::make_unique<RecordingStore>();
    ApplyToStore(document, *store);
    if (oneFrame) {
        PrintPanel(*store, static_cast<int>(frame), length, settings, decimal);
        return 0;
    }
    for (int n = 1; n <= length; ++n) {
        if (n > 1) std::printf("\n");
        PrintPanel(*store, n, length, settings, decimal);
    }
    return 0;
}

} // namespace qv::cli
