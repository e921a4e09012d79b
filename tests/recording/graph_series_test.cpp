#include "recording/graph_series.h"

#include "recording/decoding.h"

#include "reference_parameters.h"
#include "settings_numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

using test::Dec;
using test::Fraction;

// The smallest whole number not below v, found by stepping from an estimate.
long long ReferenceCeil(Fraction v) {
    auto m = static_cast<long long>(std::floor(static_cast<double>(v.num) / v.den)) - 2;
    while (Fraction(m) < v) ++m;
    return m;
}

// y of byte b for the parameter rows 0..9, nothing for an unlisted setting.
std::optional<long long> ReferenceY(int k, int b, const DisplaySettings& s) {
    const Fraction x(b);
    switch (k) {
    case 0:
        return 199 - ReferenceCeil(Dec("0.83") * x);
    case 1:
        return 99 - ReferenceCeil(Dec("0.47") * x - Fraction(30));
    case 2:
        if (int(s.KHH) == 1 || int(s.KHH) == 3)
            return ReferenceCeil(Fraction(199) - x / Dec("1.28"));
        if (int(s.KHH) == 2) return ReferenceCeil(Fraction(199) - Dec("1.6") * x);
        return std::nullopt;
    case 3:
        return ReferenceCeil(Fraction(199) - x / Fraction(2));
    case 4:
        if (int(s.Vozduh) == 1 || int(s.Vozduh) == 2 || int(s.Vozduh) == 4) return 199 - b;
        if (int(s.Vozduh) == 3) return ReferenceCeil(Fraction(199) - Dec("0.64") * x);
        if (int(s.Vozduh) == 5) return ReferenceCeil(Fraction(199) - x / Dec("1.28"));
        return std::nullopt;
    case 5:
        return 149 - ReferenceCeil(test::ReferenceCoolant(int(s.Temperature) == 1 ? b : 255 - b));
    case 6:
    case 7:
        return 199 - b;
    default:
        return 199 - ReferenceCeil(x / Dec("1.28")); // rows 8 and 9
    }
}

const DisplaySettings AllSettings[] = {
    SettingsOf(1, 1, 1), SettingsOf(2, 2, 2), SettingsOf(3, 1, 3), SettingsOf(1, 2, 4),
    SettingsOf(2, 1, 5), SettingsOf(0, 0, 0), SettingsOf(4, 3, 6), SettingsOf(-1, -1, -1),
};

TEST(GraphX, EverySpanPutsItsFramesBetweenTheEdges) {
    for (int span = 2; span <= MaxFrames; ++span) {
        // x(q): the smallest x with x (span - 1) >= 600 q; the cursor: the largest x with
        // x (span - 1) <= 600 c. Both found by walking x upwards.
        long long x = 0;
        for (int q = 0; q < span; ++q) {
            while (x * (span - 1) < 600LL * q) ++x;
            long long cursor = x;
            if (cursor * (span - 1) > 600LL * q) --cursor;
            if (GraphPointX(span, q) != x || GraphCursorX(span, q) != cursor) {
                ADD_FAILURE() << "span " << span << " offset " << q << ": x "
                              << GraphPointX(span, q).value_or(-1) << " (expected " << x
                              << "), cursor " << GraphCursorX(span, q).value_or(-1) << " (expected "
                              << cursor << ")";
                return;
            }
        }
        ASSERT_EQ(GraphPointX(span, span - 1), 600) << span;
        ASSERT_EQ(GraphCursorX(span, span - 1), 600) << span;
    }
}

TEST(GraphX, ListedSpans) {
    EXPECT_EQ(GraphPointX(2, 0), 0);
    EXPECT_EQ(GraphPointX(2, 1), 600);
    EXPECT_EQ(GraphCursorX(2, 0), 0);
    EXPECT_EQ(GraphCursorX(2, 1), 600);
    for (int c = 0; c <= 100; ++c) {
        EXPECT_EQ(GraphPointX(101, c), 6 * c);
        EXPECT_EQ(GraphCursorX(101, c), 6 * c);
    }
    EXPECT_EQ(GraphPointX(100, 1), 7);
    EXPECT_EQ(GraphCursorX(100, 1), 6);
    // Spans where extended floating point would put the last frame at 601 or its cursor at 599.
    for (int span : {266, 292, 296, 300, 600, 1034, 1199})
        EXPECT_EQ(GraphPointX(span, span - 1), 600) << span;
    for (int span : {266, 292, 296, 300, 600, 1034, 1199})
        EXPECT_EQ(GraphCursorX(span, span - 1), 600) << span;
}

TEST(GraphX, InvalidSpansAndOffsets) {
    for (int span : {1, 0, -5}) {
        EXPECT_FALSE(GraphPointX(span, 0).has_value());
        EXPECT_FALSE(GraphCursorX(span, 0).has_value());
    }
    EXPECT_FALSE(GraphPointX(10, -1).has_value());
    EXPECT_FALSE(GraphPointX(10, 10).has_value());
    EXPECT_FALSE(GraphCursorX(10, 10).has_value());
}

TEST(SeriesPixels, EveryByteOfEveryParameterRowUnderEverySetting) {
    for (const DisplaySettings& s : AllSettings)
        for (int k = 0; k < 10; ++k)
            for (int b = 0; b <= 255; ++b) {
                FrameRow row;
                row.Analog.fill(static_cast<std::uint8_t>(255 - b)); // other bytes must not matter
                row.Analog[k] = static_cast<std::uint8_t>(b);
                const auto expected = ReferenceY(k, b, s);
                const auto y = SeriesY(k, row, s);
                ASSERT_EQ(y.has_value(), expected.has_value()) << k << " " << b;
                if (expected) {
                    ASSERT_EQ(*y, *expected) << "row " << k << " byte " << b;
                }
            }
}

TEST(SeriesPixels, FlagRowsUseTwoLevels) {
    for (int k = 10; k < SeriesRowCount; ++k) {
        const FlagInfo& flag = NamedFlag(k - 10);
        FrameRow row;
        auto& bits = flag.byte == 11 ? row.Flags11 : row.Flags12;
        bits.fill(1);
        bits[flag.bit] = 0;
        EXPECT_EQ(SeriesY(k, row, SettingsOf(0, 0, 0)), 198) << k;
        bits.fill(0);
        bits[flag.bit] = 1;
        EXPECT_EQ(SeriesY(k, row, DisplaySettings{}), 2) << k;
    }
    EXPECT_FALSE(SeriesY(-1, FrameRow{}, DisplaySettings{}).has_value());
    EXPECT_FALSE(SeriesY(22, FrameRow{}, DisplaySettings{}).has_value());
}

int YOf(int k, int b, DisplaySettings s = {}) {
    FrameRow row;
    row.Analog[k] = static_cast<std::uint8_t>(b);
    return SeriesY(k, row, s).value();
}

TEST(SeriesPixels, ListedPositions) {
    EXPECT_EQ(YOf(0, 0), 199);
    EXPECT_EQ(YOf(0, 120), 99);
    EXPECT_EQ(YOf(0, 255), -13);
    EXPECT_EQ(YOf(1, 0), 129);
    EXPECT_EQ(YOf(1, 64), 98);
    EXPECT_EQ(YOf(1, 255), 9);
    EXPECT_EQ(YOf(2, 255, SettingsOf(1, 1, 1)), 0);
    EXPECT_EQ(YOf(2, 125, SettingsOf(2, 1, 1)), -1);
    EXPECT_EQ(YOf(2, 62, SettingsOf(2, 1, 1)), 100);
    EXPECT_EQ(YOf(3, 200), 99);
    EXPECT_EQ(YOf(3, 255), 72);
    EXPECT_EQ(YOf(5, 0), 219);
    EXPECT_EQ(YOf(5, 82), 149);
    EXPECT_EQ(YOf(5, 180), 109);
    EXPECT_EQ(YOf(5, 255), -91);
    EXPECT_EQ(YOf(5, 255, SettingsOf(1, 2, 1)), 219);
    EXPECT_EQ(YOf(5, 0, SettingsOf(1, 2, 1)), -91);
    FrameRow none;
    EXPECT_FALSE(SeriesY(2, none, SettingsOf(0, 1, 1)).has_value());
    EXPECT_FALSE(SeriesY(2, none, SettingsOf(4, 1, 1)).has_value());
    EXPECT_FALSE(SeriesY(4, none, SettingsOf(1, 1, 0)).has_value());
    EXPECT_FALSE(SeriesY(4, none, SettingsOf(1, 1, 6)).has_value());
}

TEST(SeriesScales, TextsPerRowAndSetting) {
    const DisplaySettings s;
    EXPECT_EQ(SeriesScaleTexts(0, s), (SeriesScale{"30мс", "15мс", "0мс"}));
    EXPECT_EQ(SeriesScaleTexts(1, s), (SeriesScale{"100гр", "0гр", "-100гр"}));
    EXPECT_EQ(SeriesScaleTexts(2, SettingsOf(1, 1, 1)), (SeriesScale{"100", "50", "0"}));
    EXPECT_EQ(SeriesScaleTexts(2, SettingsOf(2, 1, 1)), (SeriesScale{"100", "50", "0"}));
    EXPECT_EQ(SeriesScaleTexts(2, SettingsOf(3, 1, 1)), (SeriesScale{"255", "127", "0"}));
    EXPECT_EQ(SeriesScaleTexts(3, s), (SeriesScale{"10000", "5000", "0"}));
    EXPECT_EQ(SeriesScaleTexts(4, SettingsOf(1, 1, 1)), (SeriesScale{"133кПа", "66кПа", "0кПа"}));
    EXPECT_EQ(SeriesScaleTexts(4, SettingsOf(1, 1, 2)), (SeriesScale{"1000мм", "500мм", "0мм"}));
    EXPECT_EQ(SeriesScaleTexts(4, SettingsOf(1, 1, 3)), (SeriesScale{"80мс", "40мс", "0мс"}));
    EXPECT_EQ(SeriesScaleTexts(4, SettingsOf(1, 1, 4)), (SeriesScale{"400г/С", "200г/С", "0г/С"}));
    EXPECT_EQ(SeriesScaleTexts(4, SettingsOf(1, 1, 5)), (SeriesScale{"5", "2,5", "0"}));
    EXPECT_EQ(SeriesScaleTexts(5, SettingsOf(1, 2, 1)), (SeriesScale{"150С", "50С", "-50С"}));
    EXPECT_EQ(SeriesScaleTexts(6, s), (SeriesScale{"100гр", "50гр", "0гр"}));
    EXPECT_EQ(SeriesScaleTexts(7, s), (SeriesScale{"200км/ч", "100км/ч", "0км/ч"}));
    EXPECT_EQ(SeriesScaleTexts(8, s), (SeriesScale{"5В", "2,5В", "0В"}));
    EXPECT_EQ(SeriesScaleTexts(9, s), (SeriesScale{"5В", "2,5В", "0В"}));
    for (int k = 10; k < SeriesRowCount; ++k)
        EXPECT_EQ(SeriesScaleTexts(k, SettingsOf(0, 0, 0)), (SeriesScale{"1", "", "0"}));
    EXPECT_FALSE(SeriesScaleTexts(2, SettingsOf(0, 1, 1)).has_value());
    EXPECT_FALSE(SeriesScaleTexts(4, SettingsOf(1, 1, 6)).has_value());
    EXPECT_FALSE(SeriesScaleTexts(22, s).has_value());
    EXPECT_FALSE(SeriesScaleTexts(-1, s).has_value());
}

// The cursor texts: the panel's reference, except the intake sensor's own formats and units.
TEST(SeriesValues, EveryByteOfEveryParameterRowUnderEverySetting) {
    for (const DisplaySettings& s : AllSettings)
        for (int k = 0; k < 10; ++k)
            for (int b = 0; b <= 255; ++b) {
                auto expected = test::Reference(k + 1, b, s);
                if (expected && k == 4) {
                    if (int(s.Vozduh) == 2) expected->unit = " мм";
                    if (int(s.Vozduh) == 3)
                        expected->P = 3, expected->D = 2, expected->unit = " ms";
                    if (int(s.Vozduh) == 4)
                        expected->P = 4, expected->D = 1, expected->unit = " г/С";
                    if (int(s.Vozduh) == 5) expected->D = 1;
                }
                FrameRow row;
                row.Analog[k] = static_cast<std::uint8_t>(b);
                const auto text = SeriesValueText(k, row, s, ",");
                ASSERT_EQ(text.has_value(), expected.has_value()) << k << " " << b;
                if (!expected) continue;
                ASSERT_EQ(*text,
                          test::ReferenceFixed(expected->value, expected->P, expected->D, ",") +
                              expected->unit)
                    << "row " << k << " byte " << b;
            }
}

TEST(SeriesValues, ListedTexts) {
    FrameRow row;
    row.Analog[4] = 100;
    EXPECT_EQ(SeriesValueText(4, row, SettingsOf(1, 1, 3), ","), "25,60 ms");
    EXPECT_EQ(SeriesValueText(4, row, SettingsOf(1, 1, 4), ","), "200,0 г/С");
    row.Analog[4] = 128;
    EXPECT_EQ(SeriesValueText(4, row, SettingsOf(1, 1, 5), ","), "2,5 В");
    row.Analog[4] = 154;
    EXPECT_EQ(SeriesValueText(4, row, SettingsOf(1, 1, 2), ","), "752 мм");
    EXPECT_EQ(SeriesValueText(4, row, SettingsOf(1, 1, 1), "."), "100.0 kPa");
    row.Analog[1] = 65;
    EXPECT_EQ(SeriesValueText(1, row, {}, ","), "0,6 град.");
}

TEST(SeriesValues, FlagWordsOfTheGraph) {
    const char* set[] = {"ON", "ON", "ON", "ON",    "Вкл",   "ON",
                         "ON", "ON", "ON", "Богат", "Богат", "Небыл"};
    const char* clear[] = {"OFF", "OFF", "OFF", "OFF",  "Выкл", "OFF",
                           "OFF", "OFF", "OFF", "Бедн", "Бедн", "Было"};
    for (int k = 10; k < SeriesRowCount; ++k) {
        const FlagInfo& flag = NamedFlag(k - 10);
        FrameRow row;
        auto& bits = flag.byte == 11 ? row.Flags11 : row.Flags12;
        bits.fill(1);
        bits[flag.bit] = 0;
        EXPECT_EQ(SeriesValueText(k, row, {}, ","), clear[k - 10]) << k;
        bits.fill(0);
        bits[flag.bit] = 1;
        EXPECT_EQ(SeriesValueText(k, row, {}, ","), set[k - 10]) << k;
    }
    EXPECT_FALSE(SeriesValueText(22, FrameRow{}, {}, ",").has_value());
}

TEST(SeriesPolyline, OnePointPerFrameOfTheSpan) {
    RecordingStore store;
    for (int n = 1; n <= MaxFrames; ++n) store.Row(n).Analog[0] = static_cast<std::uint8_t>(n);
    store.Row(11).Flags12[7] = 1;
    const auto points = SeriesPolyline(store, 10, 100, 0, DisplaySettings{});
    ASSERT_TRUE(points.has_value());
    ASSERT_EQ(points->size(), 100u);
    EXPECT_EQ(points->front(), (GraphPoint{0, 199 - 9}));   // byte 10: ⌈8.3⌉ = 9
    EXPECT_EQ((*points)[1], (GraphPoint{7, 199 - 10}));     // byte 11: ⌈9.13⌉ = 10
    EXPECT_EQ(points->back(), (GraphPoint{600, 199 - 91})); // byte 109: ⌈90.47⌉ = 91
    const auto flag = SeriesPolyline(store, 10, 3, 21, DisplaySettings{});
    ASSERT_TRUE(flag.has_value());
    EXPECT_EQ(*flag, (std::vector<GraphPoint>{{0, 198}, {300, 2}, {600, 198}}));

    EXPECT_TRUE(SeriesPolyline(store, 1, MaxFrames, 3, DisplaySettings{}).has_value());
    EXPECT_FALSE(SeriesPolyline(store, 2, MaxFrames, 3, DisplaySettings{}).has_value());
    EXPECT_FALSE(SeriesPolyline(store, 0, 10, 3, DisplaySettings{}).has_value());
    EXPECT_FALSE(SeriesPolyline(store, 5, 1, 3, DisplaySettings{}).has_value());
    EXPECT_FALSE(SeriesPolyline(store, 1, 10, 2, SettingsOf(0, 1, 1)).has_value());
    EXPECT_FALSE(SeriesPolyline(store, 1, 10, 4, SettingsOf(1, 1, 9)).has_value());
}

} // namespace
} // namespace qv
