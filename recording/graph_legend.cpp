#include "recording/graph_legend.h"

#include "recording/flag_table.h"
#include "recording/frame_time.h"
#include "recording/graph_series.h"
#include "recording/parameter_table.h"

namespace qv {
namespace {

// A caption ("Обороты:") without its colon, a unit (" мс.") without its blanks and final dot.
std::string Trimmed(std::string text, const char* drop) {
    while (!text.empty() && (text.front() == ' ')) text.erase(0, 1);
    while (!text.empty() && std::string(drop).find(text.back()) != std::string::npos)
        text.pop_back();
    return text;
}

} // namespace

std::string ParameterNameText(int p, const std::string& unitText) {
    const std::string unit = Trimmed(unitText, " .");
    return Trimmed(ParameterOf(p).bigFontCaption, ":") + (unit.empty() ? "" : ", " + unit);
}

std::optional<std::string> SeriesLegendText(int k, const DisplaySettings& settings) {
    const auto scale = SeriesScaleTexts(k, settings);
    if (!scale) return std::nullopt;
    if (k >= FirstFlagSeriesRow) {
        const FlagInfo& flag = NamedFlag(k - FirstFlagSeriesRow);
        return std::string(flag.bigFontCaption) + ": " + flag.graphOff + " … " + flag.graphOn;
    }
    return ParameterNameText(k + 1, ParameterUnitOf(k + 1, settings)->graph.unit) + ": " +
           scale->bottom + " … " + scale->top;
}

SpanEndTexts SpanEndText(const RecordingStore& store, int frame) {
    return {"кадр " + std::to_string(frame), TimeOfDayText(store.Row(frame).FrameTime)};
}

PictureTexts GraphPictureTexts(const RecordingStore& store, int first, int span,
                               const std::vector<LegendSeries>& series,
                               const DisplaySettings& settings) {
    PictureTexts texts;
    for (const LegendSeries& one : series)
        if (auto text = SeriesLegendText(one.k, settings))
            texts.legend.push_back({std::move(*text), one.rgb});
    texts.first = SpanEndText(store, first);
    texts.last = SpanEndText(store, first + span - 1);
    return texts;
}

} // namespace qv
