// Pixel positions, scale texts and cursor value texts of the graph's series.
//
// Everything is computed on integers: the pixel formulas are exact fractions of the raw byte,
// rounded up or down exactly, so a frame that lands on a whole pixel is never pushed one pixel
// off by binary floating point (the last frame of every span is at x = 600).
#include "recording/graph_series.h"

#include "recording/decoding.h"

#include <array>

namespace qv {
namespace {

// Rounding of n / d, d > 0, towards plus and minus infinity.
long long CeilDiv(long long n, long long d) {
    return n >= 0 ? (n + d - 1) / d : -((-n) / d);
}
long long FloorDiv(long long n, long long d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

constexpr int FirstFlagRow = 10;

int FlagY(const FrameRow& row, int k) {
    const FlagInfo& flag = NamedFlag(k - FirstFlagRow);
    return FlagBit(row, flag.byte, flag.bit) ? 2 : 198;
}

struct FlagWords {
    const char* set;
    const char* clear;
};

// The graph's own words for the twelve flags, in panel order.
constexpr std::array<FlagWords, NamedFlagCount> GraphFlagWords{{
    {"ON", "OFF"},
    {"ON", "OFF"},
    {"ON", "OFF"},
    {"ON", "OFF"},
    {"Вкл", "Выкл"},
    {"ON", "OFF"},
    {"ON", "OFF"},
    {"ON", "OFF"},
    {"ON", "OFF"},
    {"Богат", "Бедн"},
    {"Богат", "Бедн"},
    {"Небыл", "Было"},
}};

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
    if (k >= FirstFlagRow) return FlagY(row, k);
    const long long b = row.Analog[k];
    long long y = 0;
    switch (k) {
    case 0:
        y = 199 - CeilDiv(83 * b, 100);
        break; // 199 − ⌈0.83 b⌉
    case 1:
        y = 99 - CeilDiv(47 * b - 3000, 100);
        break; // 99 − ⌈0.47 b − 30⌉
    case 2:
        switch (settings.KHH) {
        case 1:
        case 3:
            y = CeilDiv(199 * 128 - 100 * b, 128);
            break; // ⌈199 − b / 1.28⌉
        case 2:
            y = CeilDiv(1990 - 16 * b, 10);
            break; // ⌈199 − 1.6 b⌉
        default:
            return std::nullopt;
        }
        break;
    case 3:
        y = CeilDiv(398 - b, 2);
        break; // ⌈199 − b / 2⌉
    case 4:
        switch (settings.Vozduh) {
        case 1:
        case 2:
        case 4:
            y = 199 - b;
            break;
        case 3:
            y = CeilDiv(19900 - 64 * b, 100);
            break; // ⌈199 − 0.64 b⌉
        case 5:
            y = CeilDiv(199 * 128 - 100 * b, 128);
            break; // ⌈199 − b / 1.28⌉
        default:
            return std::nullopt;
        }
        break;
    case 5: {
        const auto t = ParameterExact(6, row.Analog[5], settings);
        y = 149 - CeilDiv(t->num, t->den);
        break;
    }
    case 6:
    case 7:
        y = 199 - b;
        break;
    case 8:
    case 9:
        y = 199 - CeilDiv(100 * b, 128);
        break; // 199 − ⌈b / 1.28⌉
    }
    return static_cast<int>(y);
}

std::optional<SeriesScale> SeriesScaleTexts(int k, const DisplaySettings& settings) {
    if (k < 0 || k >= SeriesRowCount) return std::nullopt;
    if (k >= FirstFlagRow) return SeriesScale{"1", "", "0"};
    switch (k) {
    case 0:
        return SeriesScale{"30мс", "15мс", "0мс"};
    case 1:
        return SeriesScale{"100гр", "0гр", "-100гр"};
    case 2:
        switch (settings.KHH) {
        case 1:
        case 2:
            return SeriesScale{"100", "50", "0"};
        case 3:
            return SeriesScale{"255", "127", "0"};
        }
        return std::nullopt;
    case 3:
        return SeriesScale{"10000", "5000", "0"};
    case 4:
        switch (settings.Vozduh) {
        case 1:
            return SeriesScale{"133кПа", "66кПа", "0кПа"};
        case 2:
            return SeriesScale{"1000мм", "500мм", "0мм"};
        case 3:
            return SeriesScale{"80мс", "40мс", "0мс"};
        case 4:
            return SeriesScale{"400г/С", "200г/С", "0г/С"};
        case 5:
            return SeriesScale{"5", "2,5", "0"};
        }
        return std::nullopt;
    case 5:
        return SeriesScale{"150С", "50С", "-50С"};
    case 6:
        return SeriesScale{"100гр", "50гр", "0гр"};
    case 7:
        return SeriesScale{"200км/ч", "100км/ч", "0км/ч"};
    default:
        return SeriesScale{"5В", "2,5В", "0В"}; // rows 8 and 9
    }
}

std::optional<std::string> SeriesValueText(int k, const FrameRow& row,
                                           const DisplaySettings& settings,
                                           const std::string& decimalSeparator) {
    if (k < 0 || k >= SeriesRowCount) return std::nullopt;
    if (k >= FirstFlagRow) {
        const FlagWords& words = GraphFlagWords[static_cast<std::size_t>(k - FirstFlagRow)];
        return FlagY(row, k) == 2 ? words.set : words.clear;
    }
    const int p = k + 1;
    const std::uint8_t b = row.Analog[k];
    if (p == 5) {
        // The intake sensor has formats and units of its own here.
        const auto value = ParameterExact(5, b, settings);
        if (!value) return std::nullopt;
        switch (settings.Vozduh) {
        case 2:
            return FixedText(*value, 4, 0, decimalSeparator) + " мм";
        case 3:
            return FixedText(*value, 3, 2, decimalSeparator) + " ms"; // Latin
        case 4:
            return FixedText(*value, 4, 1, decimalSeparator) + " г/С"; // Cyrillic С
        case 5:
            return FixedText(*value, 3, 1, decimalSeparator) + " В";
        }
    }
    std::string text = ParameterText(p, b, settings, decimalSeparator);
    if (text.empty()) return std::nullopt;
    return text;
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
