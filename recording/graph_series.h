#pragma once

#include "recording/display_settings.h"
#include "recording/flag_table.h"
#include "recording/parameter_table.h"
#include "recording/recording_store.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

// The graph picture is 601 x 201 pixels: x 0..GraphMaxX, y 0..GraphMaxY.
constexpr int GraphMaxX = 600;
constexpr int GraphMaxY = 200;

// Series rows: the index of a graph series list, the parameters in their order (parameter p in
// row p - 1), then the named flags in panel order: the panel's label rows 1 to SeriesRowCount.
constexpr int FirstFlagSeriesRow = ParameterCount;
constexpr int SeriesRowCount = ParameterCount + NamedFlagCount;

// x of the frame at offset q (0..span-1) of a span of `span` frames: ceil(600 q / (span - 1)),
// so the first frame stands at 0 and the last at 600. Nothing for span < 2 or q out of range.
std::optional<int> GraphPointX(int span, int q);

// The cursor column for offset c (0..span-1): floor(600 c / (span - 1)). Nothing as above.
std::optional<int> GraphCursorX(int span, int c);

// y of the frame for series row k under the settings (a larger value is higher, i.e. a smaller
// y; values beyond the scale lie outside 0..200). Nothing when no row applies: k outside
// 0..SeriesRowCount - 1, or a unit setting outside its listed choices.
std::optional<int> SeriesY(int k, const FrameRow& row, const DisplaySettings& settings);

struct SeriesScale {
    std::string top;    // drawn at about y = -1
    std::string mid;    // on the middle grid line y = 99; empty for flags
    std::string bottom; // at y = 199
    bool operator==(const SeriesScale&) const = default;
};

// The three scale texts of series row k; nothing when no row applies (as SeriesY).
std::optional<SeriesScale> SeriesScaleTexts(int k, const DisplaySettings& settings);

// The text of series row k for the frame at the graph's cursor: number and unit, or the flag's
// word. Nothing when no row applies (the value label is then left as it is).
std::optional<std::string> SeriesValueText(int k, const FrameRow& row,
                                           const DisplaySettings& settings,
                                           const std::string& decimalSeparator);

struct GraphPoint {
    int x;
    int y;
    bool operator==(const GraphPoint&) const = default;
};

// The polyline of series row k over the span of `span` frames that begins at frame `first`:
// one point per frame, first to first + span - 1. Nothing when no row applies, span < 2, or the
// span leaves the store's frames 1..MaxFrames.
std::optional<std::vector<GraphPoint>> SeriesPolyline(const RecordingStore& store, int first,
                                                      int span, int k,
                                                      const DisplaySettings& settings);

} // namespace qv
