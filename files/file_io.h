#pragma once

#include "files/file_status.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace qv {

// A path from UTF-8 text (so that Cyrillic names work on Windows too) and back.
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// Reads the whole file into `bytes`. Io on failure, with the system's error text.
FileStatus ReadWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` so that the target is either left as it was or holds all of them: they go to
// a temporary file beside the target, which is flushed to disk and then renamed over the
// target. CannotCreate when the temporary file cannot be created or an existing target cannot
// be written to; Io (with the system's text) when a later step fails. The temporary file never
// outlives a failure.
FileStatus WriteFileAtomically(const std::string& path, std::string_view bytes);

// The name of the temporary file used for `path`.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);

} // namespace qv
