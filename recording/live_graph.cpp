#include "recording/live_graph.h"

#include "recording/decoding.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

double ValueOf(const FrameRow& row, int p, const DisplaySettings& settings) {
    return static_cast<double>(ParameterValue(p, ParameterByte(row, p), settings));
}

// The columns of a span of `count` frames: frame offset q at left + round(q (width - 1) /
// (count - 1)).
int ColumnOf(const PlotArea& plot, int count, int q) {
    if (count < 2) return plot.Right();
    return plot.left +
           static_cast<int>((2LL * q * (plot.width - 1) + (count - 1)) / (2LL * (count - 1)));
}

} // namespace

std::string LiveSpanText(int frames) {
    return frames == 0 ? "все" : std::to_string(frames);
}

int NearestLiveSpan(int frames) {
    if (frames <= 0) return 0;
    return *std::min_element(
        LiveSpanChoices.begin(), LiveSpanChoices.end() - 1,
        [frames](int a, int b) { return std::abs(a - frames) < std::abs(b - frames); });
}

LiveSpan LiveSpanEnding(int frames, int end, int length) {
    length = std::max(length, 1);
    if (frames <= 0) return {1, length};
    LiveSpan span;
    span.last = std::clamp(end, 1, length);
    span.first = std::max(1, span.last - frames + 1);
    span.last = std::min(length, span.first + frames - 1);
    return span;
}

int FollowLiveSpan(int frames, int end, int frame, int length) {
    const LiveSpan span = LiveSpanEnding(frames, end, length);
    if (frame < span.first) return frame + span.Count() - 1;
    if (frame > span.last) return frame;
    return span.last;
}

std::optional<ValueRange> FullRange(int p, const DisplaySettings& settings) {
    std::optional<ValueRange> range;
    for (int raw = 0; raw <= 255; ++raw) {
        const double value =
            static_cast<double>(ParameterValue(p, static_cast<std::uint8_t>(raw), settings));
        if (std::isnan(value)) return std::nullopt;
        if (!range) range = ValueRange{value, value};
        range->low = std::min(range->low, value);
        range->high = std::max(range->high, value);
    }
    return range;
}

ValueRange DataRange(const RecordingStore& store, LiveSpan span, int p,
                     const DisplaySettings& settings, const ValueRange& full) {
    ValueRange data{full.high, full.low};
    for (int n = span.first; n <= span.last; ++n) {
        const double value = ValueOf(store.Row(n), p, settings);
        data.low = std::min(data.low, value);
        data.high = std::max(data.high, value);
    }
    const double spread = data.high > data.low ? data.high - data.low : full.high - full.low;
    return ValueRange{data.low - DataMargin * spread, data.high + DataMargin * spread};
}

std::string RangeEndText(int p, double value, const DisplaySettings& settings,
                         const std::string& decimalSeparator) {
    const ParameterUnit* unit = ParameterUnitOf(p, settings);
    if (!unit || !unit->valued) return {};
    constexpr long long Scale = 1'000'000;
    return FixedText({std::llround(value * Scale), Scale}, unit->panel.P, unit->panel.D,
                     decimalSeparator);
}

int LiveFrameX(const PlotArea& plot, LiveSpan span, int frame) {
    return ColumnOf(plot, span.Count(), frame - span.first);
}

int LiveFrameAt(const PlotArea& plot, LiveSpan span, int x) {
    const int count = span.Count();
    if (count < 2) return span.last;
    const long long offset = std::clamp(x - plot.left, 0, plot.width - 1);
    const long long q = (2 * offset * (count - 1) + (plot.width - 1)) / (2LL * (plot.width - 1));
    return span.first + static_cast<int>(q);
}

int LiveValueY(const PlotArea& plot, const ValueRange& range, double value) {
    const double spread = range.high - range.low;
    const double share = spread > 0 ? (range.high - value) / spread : 0.5;
    return plot.top + static_cast<int>(std::lround(share * (plot.height - 1)));
}

void LiveCurve(const RecordingStore& store, LiveSpan span, int p, const DisplaySettings& settings,
               const ValueRange& range, const PlotArea& plot, std::vector<LivePoint>& points) {
    points.clear();
    if (!ParameterExact(p, 0, settings)) return;
    for (int n = span.first; n <= span.last; ++n)
        points.push_back({LiveFrameX(plot, span, n),
                          LiveValueY(plot, range, ValueOf(store.Row(n), p, settings))});
}

void LaneRuns(const RecordingStore& store, LiveSpan span, int flag, const PlotArea& plot,
              std::vector<LaneRun>& runs) {
    runs.clear();
    const FlagInfo& info = NamedFlag(flag);
    for (int n = span.first; n <= span.last; ++n) {
        if (!FlagBit(store.Row(n), info.byte, info.bit)) continue;
        const int x = LiveFrameX(plot, span, n);
        const int from = n == span.first ? plot.left : (LiveFrameX(plot, span, n - 1) + x + 1) / 2;
        const int to =
            n == span.last ? plot.Right() : (x + LiveFrameX(plot, span, n + 1) + 1) / 2 - 1;
        if (!runs.empty() && runs.back().to >= from - 1)
            runs.back().to = std::max(runs.back().to, to);
        else
            runs.push_back({from, std::max(from, to)});
    }
}

void LiveAxisTicks(const PlotArea& plot, LiveSpan span, int minPixels,
                   std::vector<AxisTick>& ticks) {
    ticks.clear();
    const int count = span.Count();
    if (count < 2) return;
    const double pixelsPerFrame = double(plot.width - 1) / (count - 1);
    long long step = 1;
    for (long long decade = 1;; decade *= 10) {
        const auto fits = [&](long long s) { return s * pixelsPerFrame >= minPixels; };
        if (fits(decade)) {
            step = decade;
            break;
        }
        if (fits(2 * decade)) {
            step = 2 * decade;
            break;
        }
        if (fits(5 * decade)) {
            step = 5 * decade;
            break;
        }
        if (decade > count) return; // no two ticks fit at all
    }
    for (long long frame = (span.first + step - 1) / step * step; frame <= span.last; frame += step)
        ticks.push_back({int(frame), LiveFrameX(plot, span, int(frame))});
}

std::uint32_t LiveSeriesColour(int n) {
    // Clear on white and apart from each other, also for the common kinds of colour blindness.
    constexpr std::array<std::uint32_t, LiveSeriesCount> Colours{0xD62728, 0x1F77B4, 0x2CA02C,
                                                                 0xFF7F0E, 0x9467BD, 0x17BECF};
    return Colours.at(static_cast<std::size_t>(n - 1));
}

} // namespace qv
