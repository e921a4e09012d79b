#pragma once

#include "files/file_status.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace qv {

// A path from UTF-8 text (so that Cyrillic names work on Windows too) and back.
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string PathToUtf8(const std::filesystem::path& path);
// `name` inside `directory`, UTF-8.
std::string JoinPath(const std::string& directory, const std::string& name);
// Whether a file can be created in `directory` (tried with a short-lived probe file).
bool DirectoryWritable(const std::string& directory);

// Reads a whole regular file (a symbolic link is followed) into `bytes`. A directory, device,
// FIFO or socket is refused before it is opened for reading, so that nothing blocks or waits
// for a writer, and so is a file of more than `maxBytes` bytes (Refused, with the reason). Io
// with the system's text when the file cannot be opened or read.
FileStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes);

// The one way the program and its companion write a file. Afterwards the file at `path` holds
// exactly `bytes`, or is as it was:
// - the target must be a regular file or not exist; a symbolic link is followed to its file.
//   A directory, device, FIFO or socket, and a link to nothing, are refused (Refused) and left
//   untouched;
// - the bytes go to a new temporary file with a short unique name in the target's folder,
//   created exclusively without following links, flushed to the disk, given the replaced
//   file's permissions (and owner, where allowed) and then renamed over the target, so that
//   concurrent writers each leave a complete file and the last rename wins. A hard-linked
//   target becomes a file of its own: its other names keep the previous contents;
// - when the folder cannot be written but the existing file can, the file is rewritten in
//   place instead: the space is reserved first (a full disk leaves it as it was), then the
//   bytes are written and flushed and the file cut to their length;
// - CannotCreate when the target cannot be created or replaced (no folder, no right to write,
//   a read-only file); Io with the system's text when a write fails later. A temporary file
//   never outlives a failure.
FileStatus WriteFileAtomically(const std::string& path, std::string_view bytes);

// Like WriteFileAtomically, but for a name that must be new: nothing at `path` (a file, a link,
// anything) is ever replaced or followed, and the new file appears whole or not at all. `taken`
// tells that something has the name already (the status is then not ok and nothing was
// written). `modified` becomes the new file's modification time.
FileStatus CreateFileExclusively(const std::string& path, std::string_view bytes,
                                 std::filesystem::file_time_type modified, bool& taken);

// The name of a temporary file of the program's writers: ".qv" and ten letters or digits, then
// ".tmp". While a writer works on one it holds it (see JournalFile), so that one nobody holds
// is left over from a writer that was killed.
bool IsTemporaryFileName(std::string_view name);

// Refused when `output` names the same file as `input` (the same device and file number,
// whatever names or links lead to them); ok when they differ or either does not exist.
FileStatus RefuseSameFile(const std::string& input, const std::string& output);

} // namespace qv
