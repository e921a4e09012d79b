#pragma once

#include "recording/display_settings.h"
#include "recording/recording_store.h"

#include <array>
#include <string>

namespace qv {

constexpr int PanelRowCount = 26;
using PanelColumn = std::array<std::string, PanelRowCount>;

struct PanelLines {
    PanelColumn labels; // the label column (Memo1)
    PanelColumn values; // the value column (Memo2)
};

// The 26 label and value lines of frame n in a recording of `length` frames.
PanelLines BuildPanel(const RecordingStore& store, int n, int length,
                      const DisplaySettings& settings, const std::string& decimalSeparator);

// The raw-bytes column of frame n, aligned with the panel's rows.
PanelColumn RawBytesColumn(const RecordingStore& store, int n);

} // namespace qv
