#pragma once

#include "recording/display_settings.h"
#include "recording/recording_store.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// The arithmetic of the live graph window: which frames it shows, each series' scale and pixel
// rows, the flags' lanes and the time axis. The window measures texts and draws; everything it
// computes is here.

constexpr int LiveSeriesCount = 6;

// The spans offered: the last N frames, 0 for all of the recording.
constexpr std::array<int, 6> LiveSpanChoices{25, 50, 100, 200, 500, 0};
// "200", or "все" for all.
std::string LiveSpanText(int frames);
// The offered span nearest to `frames` (a damaged settings file's number).
int NearestLiveSpan(int frames);

// The frames first..last of the recording the graph shows.
struct LiveSpan {
    int first = 1;
    int last = 1;
    int Count() const { return last - first + 1; }
    bool operator==(const LiveSpan&) const = default;
};

// `frames` frames (0: all) ending at frame `end` of a recording of `length` frames; when fewer
// frames than that come before `end`, the span starts at frame 1 and goes on past `end`.
LiveSpan LiveSpanEnding(int frames, int end, int length);

// Where the span ends after the frame on screen moved to `frame` while no reading runs: it stays
// where it was (ending at `end`) while the frame is inside it, and moves just far enough to
// bring the frame in otherwise.
int FollowLiveSpan(int frames, int end, int frame, int length);

// A series' scale: its full range, or the span's lowest to highest value with a margin.
enum class LiveScale { Full = 0, Data = 1 };

struct ValueRange {
    double low = 0;
    double high = 1;
    bool operator==(const ValueRange&) const = default;
};

// The lowest and highest value parameter p (1..10) can show under the settings (over all raw
// bytes); nothing when it shows no values.
std::optional<ValueRange> FullRange(int p, const DisplaySettings& settings);

// The share of the values' spread added above and below them on a "по данным" scale; a flat
// series gets this share of its full range instead, so that it lies in the middle.
constexpr double DataMargin = 0.05;

// The span's lowest to highest value of parameter p with the margin; `full` is its FullRange.
ValueRange DataRange(const RecordingStore& store, LiveSpan span, int p,
                     const DisplaySettings& settings, const ValueRange& full);

// A value's end of a scale as the panel writes the parameter's numbers, without its unit.
std::string RangeEndText(int p, double value, const DisplaySettings& settings,
                         const std::string& decimalSeparator);

// Pixel positions inside a plot whose columns are left..left + width - 1 and rows
// top..top + height - 1.
struct PlotArea {
    int left = 0;
    int top = 0;
    int width = 1;
    int height = 1;
    int Right() const { return left + width - 1; }
    int Bottom() const { return top + height - 1; }
    bool operator==(const PlotArea&) const = default;
};

// The column of `frame`: the span's first frame at the left edge, its last at the right edge
// (a span of one frame stands at the right edge).
int LiveFrameX(const PlotArea& plot, LiveSpan span, int frame);
// The frame whose column is nearest to column x (x beyond the plot: the nearer end).
int LiveFrameAt(const PlotArea& plot, LiveSpan span, int x);
// The row of `value` on `range`: high at the top row, low at the bottom row.
int LiveValueY(const PlotArea& plot, const ValueRange& range, double value);

struct LivePoint {
    int x = 0;
    int y = 0;
    bool operator==(const LivePoint&) const = default;
};
// The polyline of parameter p over the span on `range`, one point a frame, into `points` (which
// keeps its capacity from one call to the next); empty when the parameter shows no values.
void LiveCurve(const RecordingStore& store, LiveSpan span, int p, const DisplaySettings& settings,
               const ValueRange& range, const PlotArea& plot, std::vector<LivePoint>& points);

// Columns from..to (both included) of a lane where its flag is set.
struct LaneRun {
    int from = 0;
    int to = 0;
    bool operator==(const LaneRun&) const = default;
};
// The runs of frames of the span in which named flag `flag` (0..11) is set; each frame owns the
// columns nearer to it than to its neighbours.
void LaneRuns(const RecordingStore& store, LiveSpan span, int flag, const PlotArea& plot,
              std::vector<LaneRun>& runs);

// The frame numbers the time axis names between its ends: every multiple of the smallest step of
// 1, 2 or 5 times a power of ten that leaves at least `minPixels` between two of them.
struct AxisTick {
    int frame = 0;
    int x = 0;
    bool operator==(const AxisTick&) const = default;
};
void LiveAxisTicks(const PlotArea& plot, LiveSpan span, int minPixels,
                   std::vector<AxisTick>& ticks);

// A frame the line's health marks on the time axis.
struct LiveMark {
    int frame = 0;
    bool faulty = false; // it came with framing faults
    bool gap = false;    // frames are missing before it
    bool operator==(const LiveMark&) const = default;
};

// The colour (0xRRGGBB) of series n (1..6): no two alike, none black, each clear on white.
std::uint32_t LiveSeriesColour(int n);

} // namespace qv
