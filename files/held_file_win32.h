#pragma once

// What the Windows writers of files/ share: temporary files that are held (open without
// sharing write or delete access) from the moment they exist, and renaming an open file
// without replacing anything.

#include <windows.h>

#include <filesystem>

namespace qv {

// Creates a file under a fresh temporary name (see IsTemporaryFileName) in `folder`, never
// through a link, opened with `access` and sharing only `share`. `path` gets its path. The
// handle, or INVALID_HANDLE_VALUE with the system's error in GetLastError.
HANDLE CreateTemporary(const std::filesystem::path& folder, DWORD access, DWORD share,
                       std::filesystem::path& path);

// Gives the open file (opened with DELETE access) the name `to`, never replacing what has that
// name. 0, ERROR_ALREADY_EXISTS when it is taken, or the system's error.
DWORD RenameOpenFile(HANDLE file, const std::filesystem::path& to);

// Deletes the open file (opened with DELETE access) when its last handle closes.
void DeleteOnClose(HANDLE file);

} // namespace qv
