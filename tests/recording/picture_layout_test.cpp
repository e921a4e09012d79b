// The labelled graph picture: what its legend and span ends say, and where everything goes.
#include "recording/graph_legend.h"
#include "recording/picture_layout.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv {
namespace {

TEST(GraphLegend, NamesUnitsAndScalesUnderTheSettings) {
    DisplaySettings steps;
    steps.KHH = IdleAirUnit(3);
    const struct {
        int k;
        DisplaySettings settings;
        const char* text;
    } cases[] = {
        {0, {}, "Впрыск, мс: 0мс … 30мс"},       {2, steps, "Клапан ХХ, шаг: 0 … 255"},
        {5, {}, "Темп.ОЖ, град.С: -50С … 150С"}, {8, {}, "Коррекция Л, В: 0В … 5В"},
        {21, {}, "Диагностика?: Было … Небыл"},  {22, {}, "none"}, // no row
    };
    for (const auto& c : cases)
        EXPECT_EQ(SeriesLegendText(c.k, c.settings).value_or("none"), c.text) << c.k;
}

TEST(GraphLegend, PictureTextsKeepTheSeriesWithARowAndTheSpansEnds) {
    auto store = std::make_unique<RecordingStore>();
    store->Row(450).FrameTime = 1.5;             // 12:00:00
    store->Row(549).FrameTime = 1.5 + 0.25 / 24; // 12:15:00
    const PictureTexts texts =
        GraphPictureTexts(*store, 450, 100, {{3, 0xFF0000}, {-1, 0x00FF00}, {21, 0x0000FF}}, {});
    EXPECT_EQ(texts.legend, (std::vector<LegendEntry>{{"Обороты, об/м: 0 … 10000", 0xFF0000},
                                                      {"Диагностика?: Было … Небыл", 0x0000FF}}));
    EXPECT_EQ(texts.first, (SpanEndTexts{"кадр 450", "12:00:00"}));
    EXPECT_EQ(texts.last, (SpanEndTexts{"кадр 549", "12:15:00"}));
}

TEST(PictureLayout, LegendWrapsAboveThePlotAndTheEndsStandUnderIt) {
    // Lines of 15 pixels, squares of 11: an entry is 15 pixels wider than its text.
    // 8 + 315 + 16 = 339, and 339 + 280 passes 609: the second entry starts a row.
    EXPECT_EQ(LayOutPicture({601, 201, 15, {300, 265, 100}, {50, 60}, {70, 60}}),
              (PictureLayout{617,
                             285,
                             {8, 42},
                             11,
                             {{8, 10}, {8, 25}, {304, 25}},
                             {{23, 8}, {23, 23}, {319, 23}},
                             {{{8, 247}, {8, 262}}},
                             {{{539, 247}, {549, 262}}}}));
    // A legend entry or the ends wider than the plot widen the picture; the last end's lines
    // stay right-aligned, clear of the first end's.
    EXPECT_EQ(LayOutPicture({100, 50, 15, {200}, {80, 60}, {90, 60}}),
              (PictureLayout{231,
                             119,
                             {8, 27},
                             11,
                             {{8, 10}},
                             {{23, 8}},
                             {{{8, 81}, {8, 96}}},
                             {{{104, 81}, {134, 96}}}}));
}

} // namespace
} // namespace qv
