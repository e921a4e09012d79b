// quintovar-cli export: the recording decoded, one row per frame, for spreadsheets and log
// viewers.
#include "cli/commands.h"
#include "cli/file_command.h"
#include "files/decoded_export.h"
#include "files/line_reader.h"

#include <cstdio>

namespace qv::cli {
namespace {

constexpr const char* kExportUsage =
    "export IN.kvr OUT.csv [--khh K] [--temperature T] [--vozduh V]";

// The name of the first setting outside the values it can take, with its range; empty when
// all are listed ones.
std::string UnlistedSetting(const DisplaySettings& settings) {
    const struct {
        const char* option;
        int value;
        int highest;
    } listed[] = {{"--khh", settings.KHH, 3},
                  {"--temperature", settings.Temperature, 2},
                  {"--vozduh", settings.Vozduh, 5}};
    for (const auto& setting : listed)
        if (setting.value < 1 || setting.value > setting.highest)
            return std::string(setting.option) + " " + std::to_string(setting.value) +
                   " is outside 1.." + std::to_string(setting.highest);
    return {};
}

} // namespace

int RunExport(int argc, char** argv) {
    if (argc < 2 || argc % 2 != 0) return UsageError(kExportUsage);
    const std::string in = argv[0];
    const std::string out = argv[1];
    DisplaySettings settings;
    for (int i = 2; i < argc; i += 2) {
        const auto number = ParseInteger(argv[i + 1]);
        if (!number || !SetDisplayOption(argv[i], *number, settings))
            return UsageError(kExportUsage);
    }
    if (const std::string unlisted = UnlistedSetting(settings); !unlisted.empty()) {
        std::fprintf(stderr, "quintovar-cli export: %s\n", unlisted.c_str());
        return 2;
    }
    RecordingDocument document;
    if (!LoadForCommand("export", in, document)) return 2;
    return ReportWrite("export", out, ExportDecodedCsvFile(out, document, settings));
}

} // namespace qv::cli
