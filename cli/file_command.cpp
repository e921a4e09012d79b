#include "cli/file_command.h"

#include <cstdio>

namespace qv::cli {
namespace {

void PrintFailure(const char* command, const std::string& path, const std::string& message) {
    if (message.find(path) != std::string::npos)
        std::fprintf(stderr, "quintovar-cli %s: %s\n", command, message.c_str());
    else
        std::fprintf(stderr, "quintovar-cli %s: %s: %s\n", command, path.c_str(), message.c_str());
}

} // namespace

bool LoadForCommand(const char* command, const std::string& path, RecordingDocument& document) {
    RecordingLoad load = LoadRecordingFile(path);
    if (!load.status.ok()) {
        PrintFailure(command, path, load.status.message);
        return false;
    }
    document = std::move(load.document);
    return true;
}

int ReportWrite(const char* command, const std::string& path, const FileStatus& status) {
    if (status.ok()) return 0;
    PrintFailure(command, path, status.message);
    return 2;
}

int UsageError(const char* usage) {
    std::fprintf(stderr, "usage: quintovar-cli %s\n", usage);
    return 2;
}

bool SetDisplayOption(const char* option, int value, DisplaySettings& settings) {
    const std::string name = option;
    if (name == "--khh")
        settings.KHH = value;
    else if (name == "--temperature")
        settings.Temperature = value;
    else if (name == "--vozduh")
        settings.Vozduh = value;
    else
        return false;
    return true;
}

} // namespace qv::cli
