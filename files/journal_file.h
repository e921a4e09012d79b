#pragma once

#include "files/file_status.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace qv {

// An append-only file that one process at a time holds: the journal of a reading. While a
// process holds it, no other process can take it over, so a reading in progress in another
// instance of the program is never mistaken for an unfinished one. The hold ends with the
// object or with the process (a crash included).
class JournalFile {
public:
    // Creates `path` (it must not exist yet; never through a link) and holds it. The new name
    // is flushed to the disk with its folder. CannotCreate when that fails.
    static std::unique_ptr<JournalFile> Create(const std::string& path, FileStatus& status);
    // Holds an existing journal that no process holds any more (its reading ended without
    // finishing it). Null when another process holds it or it cannot be opened.
    static std::unique_ptr<JournalFile> TakeOver(const std::string& path);

    ~JournalFile();
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // Appends `bytes` at the end and flushes them to the disk. On failure the file is cut back
    // to what it held before, as far as the system allows, and the system's error is returned.
    FileStatus Append(std::string_view bytes);
    // The whole file, at most `maxBytes` bytes of it.
    FileStatus ReadAll(std::string& bytes, std::size_t maxBytes);
    // Deletes the file (the hold ends with it) and flushes its folder.
    void Remove();

    const std::string& Path() const { return path_; }

    struct Handle;

private:
    JournalFile(std::string path, std::unique_ptr<Handle> handle);

    std::string path_;
    std::unique_ptr<Handle> handle_;
    std::size_t length_ = 0; // bytes appended and flushed so far
};

} // namespace qv
