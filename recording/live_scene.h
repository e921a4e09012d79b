#pragma once

#include "recording/flag_table.h"
#include "recording/graph_legend.h"
#include "recording/live_graph.h"

#include <functional>

namespace qv {

// Everything the live graph draws, and where: the curves with their scales, names and values,
// the flags' lanes, the time axis with its marks, and the line's health. The drawing side
// measures texts (through TextWidth) and paints the scene; positions are computed here.

// What the user chose in the window.
struct LiveSeriesChoice {
    int p = 0; // parameter 1..10; 0: the series is off
    LiveScale scale = LiveScale::Full;
    bool operator==(const LiveSeriesChoice&) const = default;
};
struct LiveChoices {
    std::array<LiveSeriesChoice, LiveSeriesCount> series{};
    std::array<bool, NamedFlagCount> flags{}; // lanes, in panel order
    int span = 200;                           // one of LiveSpanChoices
    bool operator==(const LiveChoices&) const = default;
};

// The first choice: engine speed and injection time on their span's values, throttle and coolant
// on their full ranges; the lanes of the feedback, the closed throttle and the left mixture.
LiveChoices DefaultLiveChoices();

using TextWidth = std::function<int(const std::string&)>;

struct LiveSceneInput {
    const RecordingStore& store;
    int length = 1;      // of the recording
    int frame = 1;       // the frame whose values are shown: the newest, or the one on screen
    int spanEnd = 1;     // where the span ends (see LiveSpanEnding)
    bool cursor = false; // mark `frame` with a cursor line (no reading runs)
    const LiveChoices& choices;
    const DisplaySettings& settings;
    std::string decimalSeparator;
    const std::vector<LiveMark>& marks; // in frame order
    std::string health;                 // one line; empty when there is no reading to tell of
    std::string hint;                   // a second line when not empty
    int width = 0;                      // of the drawing
    int height = 0;
    int lineHeight = 0; // one line of text
    TextWidth textWidth;
};

struct LiveText {
    std::string text;
    LivePoint at; // top left
};

struct LiveSeriesView {
    std::uint32_t rgb = 0;
    LiveText caption, value, low, high; // the panel's caption and value, the scale's ends
    LivePoint swatch;                   // top left of the colour square beside the caption
    ValueRange range;
    std::vector<LivePoint> points;
};

struct LiveLaneView {
    LiveText caption, value;
    int top = 0; // the lane's rows top..top + height - 1 across the plot's columns
    int height = 0;
    std::vector<LaneRun> runs;
};

struct LiveMarkView {
    int x = 0;
    bool faulty = false; // else a gap
};

struct LiveScene {
    int width = 0, height = 0;
    int lineHeight = 0;
    int swatchSize = 0;
    LiveSpan span;
    PlotArea plot;
    int cursorX = -1; // none
    std::vector<LiveSeriesView> series;
    std::vector<LiveLaneView> lanes;
    int axisY = 0; // the time axis's row; ticks and marks hang below it
    std::vector<AxisTick> ticks;
    std::vector<LiveText> tickTexts;
    LiveText firstEnd, lastEnd; // frame number and clock time of each end of the span
    std::vector<LiveMarkView> marks;
    std::vector<LiveText> health; // the health line and the hint
};

// Margins around the drawing and the gaps between its parts, in pixels.
constexpr int LiveMargin = 6;
constexpr int LiveGap = 6;
constexpr int LiveTickLength = 4;
constexpr int LiveMarkSize = 8; // the height of a health mark under the axis

// Fills `scene` anew for `input`; its vectors keep their capacity, so a redraw per frame
// allocates little.
void BuildLiveScene(const LiveSceneInput& input, LiveScene& scene);

// The texts of a picture of the scene: a legend entry for each curve ("Частота вращ., об/м:
// 700 … 3100", its scale's ends) and the frame numbers and times of the span's ends.
PictureTexts LivePictureTexts(const LiveSceneInput& input, const LiveScene& scene);

} // namespace qv
