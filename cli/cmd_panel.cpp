#include "cli/commands.h"
#include "cli/file_command.h"
#include "files/line_reader.h"
#include "recording/panel.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace qv::cli {
namespace {

constexpr const char* kPanelUsage =
    "panel IN.kvr [--frame N] [--khh K] [--temperature T] [--vozduh V] [--decimal C]";

void PrintPanel(const RecordingStore& store, int n, int length, const DisplaySettings& settings,
                const std::string& decimal) {
    const PanelLines panel = BuildPanel(store, n, length, settings, decimal);
    for (int row = 0; row < PanelRowCount; ++row)
        std::printf("%s\t%s\n", panel.labels[row].c_str(), panel.values[row].c_str());
}

} // namespace

int RunPanel(int argc, char** argv) {
    if (argc < 1) return UsageError(kPanelUsage);
    const std::string in = argv[0];
    DisplaySettings settings;
    std::string decimal = ",";
    int frame = 0; // 0: every frame
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc) return UsageError(kPanelUsage);
        const char* option = argv[i];
        const char* value = argv[i + 1];
        if (std::strcmp(option, "--decimal") == 0) {
            decimal = value;
            continue;
        }
        const auto number = ParseInteger(value);
        if (!number) return UsageError(kPanelUsage);
        if (std::strcmp(option, "--frame") == 0)
            frame = *number;
        else if (!SetDisplayOption(option, *number, settings))
            return UsageError(kPanelUsage);
    }
    RecordingDocument document;
    if (!LoadForCommand("panel", in, document)) return 2;
    const int length = document.Length();
    if (frame != 0 && (frame < 1 || frame > length)) {
        std::fprintf(stderr, "quintovar-cli panel: frame %d is outside 1..%d\n", frame, length);
        return 2;
    }
    auto store = std::make_unique<RecordingStore>();
    ApplyToStore(document, *store);
    if (frame != 0) {
        PrintPanel(*store, frame, length, settings, decimal);
        return 0;
    }
    for (int n = 1; n <= length; ++n) {
        if (n > 1) std::printf("\n");
        PrintPanel(*store, n, length, settings, decimal);
    }
    return 0;
}

} // namespace qv::cli
