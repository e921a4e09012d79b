#include "cli/file_command.h"

#include "files/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace qv::cli {

int ReportFailure(const char* command, const std::string& path, const FileStatus& status) {
    if (status.ok()) return 0;
    if (status.message.find(path) != std::string::npos)
        PrintProblem(command, status.message);
    else
        PrintProblem(command, path + ": " + status.message);
    return 2;
}

bool LoadForCommand(const char* command, const std::string& path, RecordingDocument& document) {
    RecordingLoad load = LoadRecordingFile(path);
    if (!load.status.ok()) {
        ReportFailure(command, path, load.status);
        return false;
    }
    document = std::move(load.document);
    return true;
}

int WriteOutput(const char* command, const std::string& input, const std::string& output,
                std::string_view bytes) {
    if (output == "-") {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
            std::fflush(stdout) == 0)
            return 0;
        PrintProblem(command, std::string("standard output: ") + std::strerror(errno));
        return 2;
    }
    if (!input.empty())
        if (FileStatus same = RefuseSameFile(input, output); !same.ok())
            return ReportFailure(command, output, same);
    return ReportFailure(command, output, WriteFileAtomically(output, bytes));
}

std::vector<OptionRule> DisplayOptions() {
    return {{"--khh", OptionRule::Number, 1, 3},
            {"--temperature", OptionRule::Number, 1, 2},
            {"--vozduh", OptionRule::Number, 1, 5}};
}

DisplaySettings DisplaySettingsFrom(const Arguments& arguments) {
    DisplaySettings settings;
    settings.KHH = static_cast<IdleAirUnit>(arguments.Number("--khh", 1));
    settings.Temperature = static_cast<CoolantDependence>(arguments.Number("--temperature", 1));
    settings.Vozduh = static_cast<IntakeKind>(arguments.Number("--vozduh", 1));
    return settings;
}

} // namespace qv::cli
