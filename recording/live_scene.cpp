#include "recording/live_scene.h"

#include "recording/decoding.h"
#include "recording/parameter_table.h"
#include "recording/picture_layout.h"

#include <algorithm>

namespace qv {
namespace {

// The columns beside the plot follow the texts that stay while the frames come: the scales'
// full ends and the lanes' captions and words on the left, the series' captions on the right
// (their values are shorter).
struct Columns {
    int left = 0;
    int right = 0;
};

// Each series' full range; nothing for a series that is off or shows no values.
using FullRanges = std::array<std::optional<ValueRange>, LiveSeriesCount>;

Columns MeasureColumns(const LiveSceneInput& in, const FullRanges& ranges) {
    Columns widths;
    const auto wider = [&](int& width, int candidate) { width = std::max(width, candidate); };
    for (std::size_t n = 0; n < in.choices.series.size(); ++n) {
        const LiveSeriesChoice& choice = in.choices.series[n];
        if (choice.p == 0) continue;
        wider(widths.right, in.textWidth(ParameterUnitOf(choice.p, in.settings)->label));
        if (const auto& full = ranges[n])
            for (const double end : {full->low, full->high})
                wider(widths.left,
                      in.textWidth(RangeEndText(choice.p, end, in.settings, in.decimalSeparator)));
    }
    int captions = 0, words = 0;
    for (int f = 0; f < NamedFlagCount; ++f) {
        if (!in.choices.flags[static_cast<std::size_t>(f)]) continue;
        const FlagInfo& flag = NamedFlag(f);
        wider(captions, in.textWidth(flag.label));
        wider(words, std::max(in.textWidth(flag.on), in.textWidth(flag.off)));
    }
    if (captions > 0) wider(widths.left, captions + LiveGap + words);
    return widths;
}

template <typename T> T& Slot(std::vector<T>& items, std::size_t n) {
    if (items.size() <= n) items.resize(n + 1);
    return items[n];
}

} // namespace

LiveChoices DefaultLiveChoices() {
    LiveChoices choices;
    choices.series[0] = {4, LiveScale::Data};
    choices.series[1] = {1, LiveScale::Data};
    choices.series[2] = {7, LiveScale::Full};
    choices.series[3] = {6, LiveScale::Full};
    for (const int flag : {3, 6, 9}) choices.flags[flag] = true; // 11.5, 12.1, 12.4
    return choices;
}

void BuildLiveScene(const LiveSceneInput& in, LiveScene& scene) {
    const int line = std::max(in.lineHeight, 1);
    scene.width = in.width;
    scene.height = in.height;
    scene.lineHeight = line;
    scene.swatchSize = std::max(line - 4, 4);
    scene.span = LiveSpanEnding(in.choices.span, in.spanEnd, in.length);
    const LiveSpan span = scene.span;
    FullRanges full;
    for (std::size_t n = 0; n < full.size(); ++n)
        if (const int p = in.choices.series[n].p) full[n] = FullRange(p, in.settings);
    const Columns columns = MeasureColumns(in, full);

    // From the bottom up: the health lines, the span ends' clock times, the frame numbers, the
    // axis with its ticks and marks, the lanes; the curves take the rest.
    const int healthLines = in.health.empty() ? 0 : (in.hint.empty() ? 1 : 2);
    const int healthTop = in.height - LiveMargin - healthLines * line;
    const int timeTop = healthTop - (healthLines ? LiveGap / 2 : 0) - line;
    const int tickTextTop = timeTop - line;
    scene.axisY = tickTextTop - LiveMarkSize - 2;
    int laneCount = 0;
    for (const bool on : in.choices.flags) laneCount += on ? 1 : 0;
    const int laneHeight = line + 1;
    const int lanesTop = scene.axisY - 2 - laneCount * laneHeight;

    // Left to right: the lanes' captions and words and the scales' ends, the plot, the colour
    // squares, the series' captions and values.
    const int textX = in.width - LiveMargin - columns.right;
    const int swatchX = textX - SwatchTextGap - scene.swatchSize;
    PlotArea& plot = scene.plot;
    plot.left = LiveMargin + columns.left + LiveGap;
    plot.top = LiveMargin + line / 2;
    plot.width = std::max(swatchX - LiveGap - plot.left, 2);
    plot.height = std::max((laneCount ? lanesTop - LiveGap : scene.axisY - 2) - plot.top, 2);

    scene.cursorX = in.cursor ? LiveFrameX(plot, span, in.frame) : -1;

    std::size_t shown = 0;
    for (std::size_t n = 0; n < in.choices.series.size(); ++n) {
        const LiveSeriesChoice& choice = in.choices.series[n];
        const ParameterUnit* unit = choice.p ? ParameterUnitOf(choice.p, in.settings) : nullptr;
        std::optional<ValueRange> range = full[n];
        if (range && choice.scale == LiveScale::Data)
            range = DataRange(in.store, span, choice.p, in.settings, *range);
        if (!unit) continue;
        LiveSeriesView& view = Slot(scene.series, shown);
        const int row = static_cast<int>(shown++);
        view.rgb = LiveSeriesColour(static_cast<int>(n) + 1);
        view.range = range.value_or(ValueRange{});
        const int captionTop = plot.top + 2 * row * line;
        view.swatch = {swatchX, captionTop + (line - scene.swatchSize) / 2};
        view.caption = {unit->label, {textX, captionTop}};
        view.value = {ParameterText(in.store, in.frame, choice.p, in.settings, in.decimalSeparator),
                      {textX, captionTop + line}};
        const auto scaleEnd = [&](double value, int top) {
            LiveText end{RangeEndText(choice.p, value, in.settings, in.decimalSeparator), {}};
            end.at = {plot.left - LiveGap / 2 - in.textWidth(end.text), top};
            return end;
        };
        view.high = scaleEnd(view.range.high, plot.top - line / 2 + row * line);
        view.low = scaleEnd(view.range.low, plot.Bottom() - line / 2 - row * line);
        if (range)
            LiveCurve(in.store, span, choice.p, in.settings, *range, plot, view.points);
        else
            view.points.clear();
    }
    scene.series.resize(shown);

    std::size_t lanes = 0;
    for (int f = 0; f < NamedFlagCount; ++f) {
        if (!in.choices.flags[static_cast<std::size_t>(f)]) continue;
        LiveLaneView& lane = Slot(scene.lanes, lanes);
        lane.top = lanesTop + static_cast<int>(lanes++) * laneHeight;
        lane.height = line;
        const FlagInfo& flag = NamedFlag(f);
        // The caption at the left, the flag's word at the frame shown right-aligned to the lane.
        lane.caption = {flag.label, {LiveMargin, lane.top}};
        lane.value.text = FlagText(in.store, in.frame, f);
        lane.value.at = {plot.left - LiveGap / 2 - in.textWidth(lane.value.text), lane.top};
        LaneRuns(in.store, span, f, plot, lane.runs);
    }
    scene.lanes.resize(lanes);

    // Frame numbers at least two of the widest apart; the span's ends say theirs below.
    const int numberWidth = in.textWidth(std::to_string(span.last));
    LiveAxisTicks(plot, span, 2 * numberWidth + LiveGap, scene.ticks);
    scene.tickTexts.resize(scene.ticks.size());
    for (std::size_t t = 0; t < scene.ticks.size(); ++t) {
        std::string text = std::to_string(scene.ticks[t].frame);
        const int x = scene.ticks[t].x - in.textWidth(text) / 2;
        scene.tickTexts[t] = {std::move(text), {x, tickTextTop}};
    }
    const SpanEndTexts first = SpanEndText(in.store, span.first);
    const SpanEndTexts last = SpanEndText(in.store, span.last);
    scene.firstEnd = {first.frame + ", " + first.time, {plot.left, timeTop}};
    scene.lastEnd.text = last.frame + ", " + last.time;
    scene.lastEnd.at = {plot.Right() + 1 - in.textWidth(scene.lastEnd.text), timeTop};

    scene.marks.clear();
    for (const LiveMark& mark : in.marks) {
        if (mark.frame < span.first || mark.frame > span.last) continue;
        const int x = LiveFrameX(plot, span, mark.frame);
        if (mark.gap) scene.marks.push_back({x, false});
        if (mark.faulty) scene.marks.push_back({x, true});
    }

    scene.health.clear();
    if (healthLines > 0) scene.health.push_back({in.health, {LiveMargin, healthTop}});
    if (healthLines > 1) scene.health.push_back({in.hint, {LiveMargin, healthTop + line}});
}

PictureTexts LivePictureTexts(const LiveSceneInput& in, const LiveScene& scene) {
    PictureTexts texts;
    std::size_t shown = 0;
    for (const LiveSeriesChoice& choice : in.choices.series) {
        if (choice.p == 0 || shown >= scene.series.size()) continue;
        const LiveSeriesView& view = scene.series[shown++];
        texts.legend.push_back(
            {ParameterNameText(choice.p, ParameterUnitOf(choice.p, in.settings)->panel.unit) +
                 ": " + view.low.text + " … " + view.high.text,
             view.rgb});
    }
    texts.first = SpanEndText(in.store, scene.span.first);
    texts.last = SpanEndText(in.store, scene.span.last);
    return texts;
}

} // namespace qv
