#pragma once

#include "cli/arguments.h"
#include "files/recording_file.h"
#include "recording/display_settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv::cli {

// Loads a recording for a command; on failure prints the reason to stderr and returns false.
bool LoadForCommand(const char* command, const std::string& path, RecordingDocument& document);

// Writes a command's output: to standard output for "-", otherwise safely to the file (see
// WriteFileAtomically), refusing an output that is the input file itself (`input` may be
// empty). Prints a failure to stderr; returns the command's exit status, 0 or 2.
int WriteOutput(const char* command, const std::string& input, const std::string& output,
                std::string_view bytes);

// Prints a failed file operation to stderr; returns the command's exit status (0 or 2).
int ReportFailure(const char* command, const std::string& path, const FileStatus& status);

// The options --khh, --temperature and --vozduh with their ranges, and the settings they give.
std::vector<OptionRule> DisplayOptions();
DisplaySettings DisplaySettingsFrom(const Arguments& arguments);

} // namespace qv::cli
