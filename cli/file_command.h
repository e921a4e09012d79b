#pragma once

#include "files/recording_file.h"
#include "recording/display_settings.h"

#include <string>

namespace qv::cli {

// Loads a recording for a command; on failure prints the reason to stderr and returns false.
bool LoadForCommand(const char* command, const std::string& path, RecordingDocument& document);

// Prints a failed write to stderr; returns the command's exit status (0 or 2).
int ReportWrite(const char* command, const std::string& path, const FileStatus& status);

// Applies --khh, --temperature or --vozduh to the settings; false for any other option.
bool SetDisplayOption(const char* option, int value, DisplaySettings& settings);

// Prints the usage line of a command to stderr and returns 2.
int UsageError(const char* usage);

} // namespace qv::cli
