#pragma once

#include "recording/display_settings.h"
#include "recording/recording_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// What a labelled picture of a graph says besides its curves: a legend entry for each series
// (its name, unit and scale, in its colour) and the frame number and clock time of the span's
// ends. Any graph of the program can carry it.

// A series as the picture knows it: series row k (graph_series.h: the parameters, then the
// flags) drawn in colour 0xRRGGBB.
struct LegendSeries {
    int k = -1;
    std::uint32_t rgb = 0;
};

struct LegendEntry {
    std::string text;
    std::uint32_t rgb = 0;
    bool operator==(const LegendEntry&) const = default;
};

// The name of parameter p (1..10) with a unit text (" об/м") after a comma ("Обороты, об/м").
std::string ParameterNameText(int p, const std::string& unitText);

// The legend text of series row k: its name, its unit after a comma, and its scale from the
// bottom to the top ("Обороты, об/м: 0 … 10000"); a flag shows its words for clear and set
// ("Диагностика?: Было … Небыл"). Nothing when no row applies under the settings.
std::optional<std::string> SeriesLegendText(int k, const DisplaySettings& settings);

// One end of the span: "кадр 450" and the frame's time of day.
struct SpanEndTexts {
    std::string frame;
    std::string time;
    bool operator==(const SpanEndTexts&) const = default;
};
SpanEndTexts SpanEndText(const RecordingStore& store, int frame);

struct PictureTexts {
    std::vector<LegendEntry> legend; // the series with a row, in order
    SpanEndTexts first, last;
};
PictureTexts GraphPictureTexts(const RecordingStore& store, int first, int span,
                               const std::vector<LegendSeries>& series,
                               const DisplaySettings& settings);

} // namespace qv
