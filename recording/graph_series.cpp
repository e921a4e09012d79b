// Pixel positions, scale texts and cursor value texts of the graph's series.
//
// Everything is computed on integers: the pixel formulas are exact fractions of the raw byte,
// rounded up or down exactly, so a frame that lands on a whole pixel is never pushed one pixel
// off by binary floating point (the last frame of every span is at x = 600).
#include "recording/graph_series.h"

#include "recording/decoding.h"

namespace qv {
namespace {

// Rounding of n / d, d > 0, towards plus and minus infinity.
long long CeilDiv(long long n, long long d) {
    return n >= 0 ? (n + d - 1) / d : -((-n) / d);
}
long long FloorDiv(long long n, long long d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

int FlagY(const FrameRow& row, int k) {
    const FlagInfo& flag = NamedFlag(k - FirstFlagSeriesRow);
    return FlagBit(row, flag.byte, flag.bit) ? 2 : 198;
}

} // namespace

std::optional<int> GraphPointX(int span, int q) {
    if (span < 2 || q < 0 || q > span - 1) return std::nullopt;
    return static_cast<int>(CeilDiv(600LL * q, span - 1));
}

std::optional<int> GraphCursorX(int span, int c) {
    if (span < 2 || c < 0 || c > span - 1) return std::nullopt;
    return static_cast<int>(FloorDiv(600LL * c, span - 1));
}

std::optional<int> SeriesY(int k, const FrameRow& row, const DisplaySettings& settings) {
    if (k < 0 || k >= SeriesRowCount) return std::nullopt;
    if (k >= FirstFlagSeriesRow) return FlagY(row, k);
    const ParameterUnit& unit = *ParameterUnitOf(k + 1, settings);
    const std::uint8_t raw = ParameterByte(row, k + 1);
    const auto value = UnitValue(unit, raw);
    if (!value) return std::nullopt;
    const PixelFormula& f = unit.pixel;
    // x / xDen is the raw byte or the value.
    const long long x = f.ofValue ? value->num : raw;
    const long long xDen = f.ofValue ? value->den : 1;
    const long long n = f.mul * x + f.add * xDen;
    const long long d = f.den * xDen;
    const long long rounded =
        f.rounding == PixelFormula::Rounding::Up ? CeilDiv(n, d) : FloorDiv(n, d);
    return static_cast<int>(f.base - rounded);
}

std::optional<SeriesScale> SeriesScaleTexts(int k, const DisplaySettings& settings) {
    if (k < 0 || k >= SeriesRowCount) return std::nullopt;
    if (k >= FirstFlagSeriesRow) return SeriesScale{"1", "", "0"};
    const ParameterUnit& unit = *ParameterUnitOf(k + 1, settings);
    if (!unit.valued) return std::nullopt;
    return SeriesScale{unit.scale.top, unit.scale.mid, unit.scale.bottom};
}

std::optional<std::string> SeriesValueText(int k, const FrameRow& row,
                                           const DisplaySettings& settings,
                                           const std::string& decimalSeparator) {
    if (k < 0 || k >= SeriesRowCount) return std::nullopt;
    if (k >= FirstFlagSeriesRow) {
        const FlagInfo& flag = NamedFlag(k - FirstFlagSeriesRow);
        return FlagY(row, k) == 2 ? flag.graphOn : flag.graphOff;
    }
    const ParameterUnit& unit = *ParameterUnitOf(k + 1, settings);
    const auto value = UnitValue(unit, ParameterByte(row, k + 1));
    if (!value) return std::nullopt;
    return FixedText(*value, unit.graph.P, unit.graph.D, decimalSeparator) + unit.graph.unit;
}

std::optional<std::vector<GraphPoint>> SeriesPolyline(const RecordingStore& store, int first,
                                                      int span, int k,
                                                      const DisplaySettings& settings) {
    if (span < 2 || span > MaxFrames || !RecordingStore::IsValidFrame(first) ||
        !RecordingStore::IsValidFrame(first + span - 1))
        return std::nullopt;
    std::vector<GraphPoint> points;
    points.reserve(static_cast<std::size_t>(span));
    for (int q = 0; q < span; ++q) {
        const auto y = SeriesY(k, store.Row(first + q), settings);
        if (!y) return std::nullopt;
        points.push_back({*GraphPointX(span, q), *y});
    }
    return points;
}

} // namespace qv
