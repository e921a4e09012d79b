#pragma once

// What the POSIX writers of files/ share: temporary files that are held from the moment they
// exist, and moving a file to a new name without replacing anything.

#include <string>
#include <sys/types.h>

namespace qv {

// Creates a file under a fresh temporary name (see IsTemporaryFileName) in the open folder
// `folder`, opened with `access` (O_RDWR or O_WRONLY), and holds it with an exclusive flock
// before it is used, so that a start that clears away leftovers (which takes the hold first)
// never removes it; one removed as a leftover in between is given up for another name. `name`
// gets its name. The descriptor, or -1 with errno.
int CreateHeldTemporary(int folder, std::string& name, int access, mode_t mode);

// Gives the file `from` the name `to` as well and drops `from` (both relative to their open
// folders, or AT_FDCWD): never replacing or following what has the name `to`. 0, EEXIST when
// `to` is taken, or the system's error.
int MoveWithoutReplacing(int fromFolder, const char* from, int toFolder, const char* to);

} // namespace qv
