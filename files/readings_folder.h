#pragma once

#include "files/file_status.h"
#include "files/journal_file.h"
#include "recording/frame_time.h"
#include "recording/recording_store.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv {

// The readings folder: every reading the program takes is kept there as it arrives, as a
// recording file named after the local time its reading started ("2026-12-09_14-03-11.kvr",
// "2026-12-09_14-03-11_2.kvr" when that name is taken). While the reading runs its frames go to
// a journal of the same name ("….journal"), which is folded into the recording file when the
// reading ends, or at the next start after a crash.

inline constexpr const char* JournalSuffix = ".journal";
inline constexpr std::string_view RecordingSuffix = ".kvr";

// The start ("2026-12-09_14-03-11") and the number (1, or 2 for "…_2" and so on) of a file
// name of the program's pattern that ends with `suffix`; nothing for any other name.
std::optional<std::pair<std::string, int>> ReadingName(std::string_view fileName,
                                                       std::string_view suffix);

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

// A reading's file keeps only each frame's time of day; its name tells the day the reading
// started. Gives each frame of a recording named as a reading (`fileName`, without its folder)
// its date: that day, one more after each midnight. Frames that have a date keep it, and a
// recording of another name is left as it is.
void DateFramesOfReading(std::string_view fileName, std::vector<FrameRow>& frames);

// "2026-12-09_14-03-11": the name of a reading started at `startedAt`, without its extension.
std::string ReadingBaseName(const LocalDateTime& startedAt);

// The journal of a new reading, with its header, under the first name whose journal and
// recording nobody has taken; the folder is created when missing. The journal is held from
// before it has its name, and the name is taken in one step (no other instance can take it
// between a check and the creation): holding the journal's name reserves the recording's.
// Null (and CannotCreate) when the folder cannot be written.
std::unique_ptr<JournalFile>
CreateReadingJournal(const std::string& folder, const LocalDateTime& startedAt, FileStatus& status);

// What folding a journal did.
struct FoldResult {
    FileStatus status;     // not ok: the journal stays as it was, for a later try
    std::string recording; // the recording's file name; empty when the journal held no frame
    int frames = 0;        // the frames the recording holds
    bool written = false;  // the recording was written now (not found complete already)
    // Part of the journal was damaged: it is kept under `keptJournal` (its name with
    // DamagedSuffix, or its own name when it could not be renamed), never to be tried again.
    bool damaged = false;
    std::string keptJournal;
};

inline constexpr const char* DamagedSuffix = ".damaged";

// Writes the journal's frames into its recording file (a recording in the program's own format
// with an empty comment) and then removes the journal: the recording gets the journal's name,
// or the next free one with "_2", "_3", … when something else has it; the recording is created
// new, never replacing or following anything, and stamped as the folder's newest (see
// PruneReadings). A recording of that name holding the same frames is the journal's own, written
// before a kill kept the journal from being removed: only the journal goes then. A journal with
// damaged parts is kept aside instead of removed. When the recording cannot be written the
// journal stays, for a later try; a file with neither the journal's header nor an intact
// record is nobody's journal and is left as it is. `recovering`: a start completes a reading
// whose program ended without finishing it, and marks its recording so (recovered_mark.h).
FoldResult FoldJournal(JournalFile& journal, bool recovering = false);

// What a start completed.
struct Recovery {
    std::vector<FoldResult> recovered; // readings completed now, oldest first
    std::vector<std::string> failed;   // journals that could not be completed now (they stay)
};

// Completes every unfinished reading in the folder: each journal (a regular file with a name of
// the program's pattern, the program's header or an intact record) that no running program
// holds is folded, and temporary files of the program's writers that nobody holds any more are
// removed. Nothing else in the folder is touched.
Recovery RecoverReadings(const std::string& folder);

// Removes the oldest recordings of the folder until the rest fit the limits. Old means finished
// long ago: by the modification time, which the program stamps on a recording it finishes so
// that it is the folder's newest even when the clock has gone back. The newest recording and
// those named in `keep` are always kept. Only regular files with the program's names are
// removed (a recording with its mark of recovery); links and other files in the folder are left
// alone.
void PruneReadings(const std::string& folder, const ReadingsLimits& limits,
                   const std::vector<std::string>& keep = {});

} // namespace qv
