#pragma once

#include "files/file_status.h"
#include "files/journal_file.h"
#include "recording/frame_time.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// The readings folder: every reading the program takes is kept there as it arrives, as a
// recording file named after the local time its reading started ("2026-12-09_14-03-11.kvr",
// "2026-12-09_14-03-11_2.kvr" when that name is taken). While the reading runs its frames go to
// a journal of the same name ("….journal"), which is folded into the recording file when the
// reading ends, or at the next start after a crash.

inline constexpr const char* JournalSuffix = ".journal";

// How much the folder keeps: the newest readings up to so many files and bytes in all.
struct ReadingsLimits {
    std::size_t files = 200;
    std::uintmax_t bytes = 100 * 1024 * 1024;
};

// Where the folder lies. Windows: "readings" beside the program, or
// <localAppData>\Quintovar\readings when that cannot be written. Elsewhere
// <xdgDataHome>/quintovar/readings, or ~/.local/share/quintovar/readings when XDG_DATA_HOME is
// unset, empty or relative. Empty when none of these is known.
std::string ChooseReadingsFolder(const std::string& executableDir, const std::string& xdgDataHome,
                                 const std::string& home, const std::string& localAppData,
                                 const std::function<bool(const std::string&)>& folderWritable,
                                 bool windows);
// ChooseReadingsFolder with this process's environment, file system and platform.
std::string ReadingsFolderPath(const std::string& executableDir);

// "2026-12-09_14-03-11": the name of a reading started at `startedAt`, without its extension.
std::string ReadingBaseName(const LocalDateTime& startedAt);

// The journal of a new reading, under the first name that neither a recording nor a journal
// in the folder has taken; the folder is created when missing. Null (and CannotCreate) when
// the folder cannot be written.
std::unique_ptr<JournalFile>
CreateReadingJournal(const std::string& folder, const LocalDateTime& startedAt, FileStatus& status);

// Writes the journal's whole frames into its recording file (a recording in the program's own
// format with an empty comment) and then removes the journal. `recordingName` gets the
// recording's file name, or stays empty when the journal held no whole frame (it is removed
// then). When the recording cannot be written the journal stays, for a later try.
FileStatus FoldJournal(JournalFile& journal, std::string& recordingName);

// Completes every unfinished reading in the folder: each journal that no running program holds
// is folded. Returns the file names of the recordings completed, oldest first.
std::vector<std::string> RecoverReadings(const std::string& folder);

// Removes the oldest readings of the folder until the rest fit the limits; the newest reading
// is always kept. Other files in the folder are left alone.
void PruneReadings(const std::string& folder, const ReadingsLimits& limits);

} // namespace qv
