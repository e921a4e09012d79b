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
// object or with the process (a crash included). The program's other temporary files are held
// the same way while they are written.
class JournalFile {
public:
    // A new, empty journal in `folder` under a temporary name (see IsTemporaryFileName), held
    // from the moment it exists, so that nobody ever sees it unheld; MoveTo gives it its name.
    // CannotCreate when that fails.
    static std::unique_ptr<JournalFile> CreateHidden(const std::string& folder, FileStatus& status);
    // Holds an existing journal that no process holds any more (its reading ended without
    // finishing it), to read and remove it. Null when another process holds it, when it has no
    // name any more, and for anything but a regular file: a link, a folder, a device or a FIFO
    // is recognised before it is opened and never opened.
    static std::unique_ptr<JournalFile> TakeOver(const std::string& path);

    ~JournalFile();
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // Appends `bytes` at the end and flushes them to the disk. On failure the file is cut back
    // to what it held before, as far as the system allows, and the system's error is returned.
    FileStatus Append(std::string_view bytes);
    // The whole file, at most `maxBytes` bytes of it.
    FileStatus ReadAll(std::string& bytes, std::size_t maxBytes);
    // Gives the file the name `path` in the same folder, flushed to the disk with the folder,
    // and drops its old name. What has that name already (a file, a link, anything) is neither
    // replaced nor followed: `taken` tells, and the file keeps its old name.
    FileStatus MoveTo(const std::string& path, bool& taken);
    // False when the file has lost its name behind the program's back (its folder was removed,
    // say): what is written to it then is lost with it.
    bool StillNamed() const;
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
