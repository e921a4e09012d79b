#include "cli/commands.h"
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

CommandSyntax PanelSyntax() {
    CommandSyntax syntax{"panel",
                         "panel IN.kvr [--frame N] [--khh K] [--temperature T] [--vozduh V] "
                         "[--decimal C]",
                         1,
                         1,
                         {{"--frame", OptionRule::Number, INT_MIN, INT_MAX}, {"--decimal"}}};
    for (const OptionRule& option : DisplayOptions()) syntax.options.push_back(option);
    return syntax;
}

} // namespace

// Prints the panel of one frame, or of every frame, to standard output.
int RunPanel(int argc, char** argv) {
    static const CommandSyntax syntax = PanelSyntax();
    const auto arguments = ParseArguments(syntax, argc, argv);
    if (!arguments) return 2;
    const DisplaySettings settings = DisplaySettingsFrom(*arguments);
    const std::string decimal = arguments->Text("--decimal", ",");
    RecordingDocument document;
    if (!LoadForCommand(syntax.name, arguments->positional[0], document)) return 2;
    const int length = document.Length();
    const bool oneFrame = arguments->Has("--frame");
    const auto frame = arguments->Number("--frame", 0);
    if (oneFrame && (frame < 1 || frame > length)) {
        PrintProblem(syntax.name, "--frame " + std::to_string(frame) + " is outside 1.." +
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
