#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// A reading that a start completed from its journal (its program ended without finishing it) is
// marked so by a small file of its own beside its recording, "2026-12-09_14-03-11.recovered"
// for "2026-12-09_14-03-11.kvr": the recording stays a recording like any other, and the list of
// readings tells which ones were recovered.
inline constexpr const char* RecoveredSuffix = ".recovered";

struct RecoveredMark {
    // The recording's size when it was completed: a recording replaced since is not the
    // recovered one any more, and a mark left over from a removed recording fits no new one.
    std::uintmax_t recordingBytes = 0;
    // The name its damaged journal was kept under (….journal.damaged); empty when none was.
    std::string damagedJournal;
};

// Marks the recording at `recordingPath`. The mark is created new, never over or through
// anything but an older mark (a regular file) of the same name. A mark that cannot be written
// is no failure: the recording is then listed as not recovered.
void WriteRecoveredMark(const std::string& recordingPath, const RecoveredMark& mark);
// The recording's mark when it has one that fits it (`recordingBytes`, its size now); a link
// or anything else but a regular file is not followed or read.
std::optional<RecoveredMark> ReadRecoveredMark(const std::string& recordingPath,
                                               std::uintmax_t recordingBytes);
// Removes the recording's mark, a regular file only: its recording is gone.
void RemoveRecoveredMark(const std::string& recordingPath);

} // namespace qv
