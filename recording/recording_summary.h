#pragma once

#include "recording/display_settings.h"
#include "recording/flag_table.h"
#include "recording/parameter_table.h"
#include "recording/recording_store.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

// One parameter over the whole recording, in the texts the panel shows (number and unit).
// Texts stay empty and frames 0 for a unit setting outside the listed ones (no value).
struct ParameterSummary {
    std::string label; // the panel's label
    std::string lowest, highest, mean;
    int lowestFrame = 0, highestFrame = 0; // the first frame that shows it
};

// One flag over the whole recording: in how many frames, and in which share of them, it shows
// its word for a set bit.
struct FlagSummary {
    std::string label; // the panel's label
    std::string word;  // the panel's word for a set bit
    int frames = 0;
    std::string share; // "12,5 %"
};

// What a mechanic reads first: how long the recording runs, and the range of every value.
struct RecordingSummary {
    int frames = 0;
    std::string start, end; // the times of day of the first and the last frame
    std::string duration;   // from the first frame to the last, "0:04:38"
    std::string interval;   // the mean time between frames, "1,40 с"; empty for one frame
    std::array<ParameterSummary, ParameterCount> parameters;
    std::array<FlagSummary, NamedFlagCount> flags;
};

// The summary of frames 1..length (1..MaxFrames), decoded as the panel decodes them under
// `settings`, numbers written with `decimalSeparator`. Frames keep only their time of day when
// loaded from a file: a last frame earlier than the first then lies on the next day.
RecordingSummary SummarizeRecording(const RecordingStore& store, int length,
                                    const DisplaySettings& settings,
                                    const std::string& decimalSeparator);

// One cell of the summary's tables. The frames of a lowest and a highest value name their frame,
// which a click in the window shows.
struct SummaryCell {
    std::string text;
    int frame = 0; // the frame the cell names; 0 for none
};

// A table of the summary: its heading row and one row of cells per parameter or flag.
struct SummaryTable {
    std::vector<std::string> heading;
    std::vector<std::vector<SummaryCell>> rows;
};

// The summary as the window lays it out and the text writes it: the lines of its length, the
// table of the parameters (label, lowest and its frame, highest and its frame, mean) and the
// table of the flags (label and word, frames, share).
struct SummaryLayout {
    std::vector<std::string> length;
    SummaryTable parameters, flags;
};
SummaryLayout LayOutSummary(const RecordingSummary& summary);

// The summary as lines of text: the length, then a tab-separated table of the parameters and
// one of the flags, each under its heading row.
std::vector<std::string> SummaryLines(const RecordingSummary& summary);

} // namespace qv
