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

// Which items of the settings menus carry a check mark for these settings.
struct SettingsMenuChecks {
    bool N16 = false, N1251 = false, N17 = false;                 // idle-air unit 1, 2, 3
    bool N21 = false, N22 = false;                                // temperature 1, 2
    bool MAP2 = false, MAP3 = false, MAF3 = false, MAF31 = false; // intake 1, 2, 4, 3
    bool MAF2 = false;                                            // intake 5
    bool N3S1 = false;                                            // the preset: all three 1

    bool operator==(const SettingsMenuChecks&) const = default;
};
SettingsMenuChecks DisplaySettingsChecks(const DisplaySettings& settings);

} // namespace qv
