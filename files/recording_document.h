#pragma once

#include "recording/recording_store.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

constexpr int SampleColumnCount = 3;
constexpr int StoredSampleRows = 25; // rows 0..24 of a sample column; its time row is not kept
constexpr int FrameMarkerCount = 10;

// Everything a recording file carries, held apart from the program's store so that a file is
// read completely before anything in the program changes. Texts are UTF-8.
struct RecordingDocument {
    std::vector<FrameRow> frames; // frame n is frames[n - 1]; 1..MaxFrames of them
    // The sample columns Memo3, Memo4, Memo5, as lines; files keep rows 0..24.
    std::array<std::vector<std::string>, SampleColumnCount> samples;
    // Captions of BitBtn1..BitBtn10: "0" for an empty marker, else a frame number.
    std::array<std::string, FrameMarkerCount> markers{"0", "0", "0", "0", "0",
                                                      "0", "0", "0", "0", "0"};
    std::vector<std::string> comment; // the comment's lines; may be empty

    int Length() const { return static_cast<int>(frames.size()); }

    bool operator==(const RecordingDocument&) const = default;
};

// A document of the first `length` frames of the store (clamped to 1..MaxFrames) with the
// window's sample columns, marker captions and comment.
RecordingDocument
DocumentFromStore(const RecordingStore& store, int length,
                  const std::array<std::vector<std::string>, SampleColumnCount>& samples,
                  const std::array<std::string, FrameMarkerCount>& markers,
                  const std::vector<std::string>& comment);

// Writes the document's frames into rows 1..N of the store; rows above N stay as they were.
void ApplyToStore(const RecordingDocument& document, RecordingStore& store);

// Row r of a column, empty when the column has no such row.
const std::string& SampleRow(const std::vector<std::string>& column, int r);

} // namespace qv
