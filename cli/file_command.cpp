#include "cli/file_command.h"

#include <cstdio>

namespace qv::cli {

bool LoadForCommand(const char* command, const std::string& path, RecordingDocument& document) {
    RecordingLoad load = LoadRecordingFile(path);
    if (!load.status.ok()) {
        std::fprintf(stderr, "quintovar-cli %s: %s: %s\n", command, path.c_str(),
                     load.status.message.c_str());
        return false;
    }
    document = std::move(load.document);
    return true;
}

int ReportWrite(const char* command, const std::string& path, const FileStatus& status) {
    if (status.ok()) return 0;
    std::fprintf(stderr, "quintovar-cli %s: %s: %s\n", command, path.c_str(),
                 status.message.c_str());
    return 2;
}

int UsageError(const char* usage) {
    std::fprintf(stderr, "usage: quintovar-cli %s\n", usage);
    return 2;
}

} // namespace qv::cli
