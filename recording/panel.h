#pragma once

#include "recording/display_settings.h"
#include "recording/flag_table.h"
#include "recording/parameter_table.h"
#include "recording/recording_store.h"

#include <array>
#include <string>

namespace qv {

// The panel's rows, from the top: the identifier, the parameters in their order (parameter p
// in row p), the named flags in theirs, then the end flag, the frame number and the time.
constexpr int IdentifierRow = 0;
constexpr int FirstFlagRow = 1 + ParameterCount;
constexpr int EndFlagRow = FirstFlagRow + NamedFlagCount;
constexpr int FrameNumberRow = EndFlagRow + 1;
constexpr int TimeRow = FrameNumberRow + 1;
constexpr int PanelRowCount = TimeRow + 1;
using PanelColumn = std::array<std::string, PanelRowCount>;

struct PanelLines {
    PanelColumn labels; // the label column (Memo1)
    PanelColumn values; // the value column (Memo2)
};

// The label and value lines of frame n in a recording of `length` frames.
PanelLines BuildPanel(const RecordingStore& store, int n, int length,
                      const DisplaySettings& settings, const std::string& decimalSeparator);

// The raw-bytes column of frame n, aligned with the panel's rows: beside each parameter its
// raw byte, beside the first named flag of byte 11 and of byte 12 that byte's eight bits (bit 0
// first), beside the end flag "1" or "0".
PanelColumn RawBytesColumn(const RecordingStore& store, int n);

} // namespace qv
