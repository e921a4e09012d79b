#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace qv {

// The few platform steps of a safe file write. Each returns an empty text on success, otherwise
// the system's error text.

// fopen with a path that may hold any characters.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// Flushes the written data of an open file to the disk.
std::string SyncFile(std::FILE* file);

// Renames `from` to `to`, replacing `to` if it exists.
std::string RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace qv
