#pragma once

#include "recording/recording_store.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The journal of a reading in progress: an append-only file beside the reading's recording
// file, which gets one fixed-size record per committed frame. A record is written and synced as
// its frame arrives, so a crash or a power cut loses at most the record being written; each
// record carries its slot and a checksum, so a cut tail or a garbled record is recognised and
// left out.
// When the reading ends (or at the next start, after a crash) the journal is folded into the
// recording file and removed.
//
// Layout: the 8-byte header "QVJRNL01", then records of JournalRecordBytes bytes: the slot
// (2 bytes, little-endian, 1 for the first record, 2 for the second, ...), the ten analogue
// bytes, the twelve identifier samples, the eight bits of byte 11 and of byte 12, the end flag,
// the frame time (IEEE double, little-endian) and the CRC-32 of everything before it in the
// record (4 bytes, little-endian).
inline constexpr std::string_view JournalHeader = "QVJRNL01";
inline constexpr std::size_t JournalRecordBytes = 2 + 10 + 12 + 8 + 8 + 1 + 8 + 4;
// A journal never holds more than MaxFrames records.
inline constexpr std::size_t MaxJournalBytes =
    JournalHeader.size() + JournalRecordBytes * static_cast<std::size_t>(MaxFrames);

// The record of the frame in slot `slot` (1..MaxFrames).
std::string JournalRecord(int slot, const FrameRow& row);

// What a journal's bytes hold.
struct JournalContents {
    std::vector<FrameRow> frames; // every intact record, in slot order
    bool ours = false;            // the header, or at least one intact record: the program's own
    // Something besides a cut tail was lost: a damaged header, bytes that are no record before
    // an intact one, or a slot missing between two.
    bool damaged = false;
};

// Reads a journal's records. A record is known by its checksum and its slot: after a damaged
// one the next intact record is looked for byte by byte, so that one bad record (or header)
// costs only its own frame. A record whose slot does not follow the last one taken is not a
// frame of this reading; a cut last record is what a crash leaves and no damage.
JournalContents ParseJournal(std::string_view bytes);

} // namespace qv
