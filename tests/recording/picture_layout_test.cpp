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
    DisplaySettings badIntake;
    badIntake.Vozduh = IntakeKind(9);
    const struct {
        int k;
        DisplaySettings settings;
        const char* text; // nullptr: no row
    } cases[] = {
        {0, {}, "Впрыск, мс: 0мс … 30мс"},
        {3, {}, "Обороты, об/м: 0 … 10000"},
        {2, steps, "Клапан ХХ, шаг: 0 … 255"},
        {5, {}, "Темп.ОЖ, град.С: -50С … 150С"},
        {8, {}, "Коррекция Л, В: 0В … 5В"},
        {21, {}, "Диагностика?: Было … Небыл"},
        {4, badIntake, nullptr},
        {22, {}, nullptr},
    };
    for (const auto& c : cases) {
        const auto text = SeriesLegendText(c.k, c.settings);
        EXPECT_EQ(text.value_or("none"), c.text ? c.text : "none") << c.k;
    }
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
    // Lines of 15 pixels: squares of 11, an entry is 15 + its text wide.
    const struct {
        const char* name;
        PictureLayoutInput in;
        PictureLayout out;
    } cases[] = {
        {"no legend",
         {601, 201, 15, {}, {50, 60}, {70, 60}},
         {617, 251, {8, 8}, 11, {}, {}, {{{8, 213}, {8, 228}}}, {{{539, 213}, {549, 228}}}}},
        // 8 + 315 + 16 = 339: a second entry of 280 would pass 609, so it wraps.
        {"two rows",
         {601, 201, 15, {300, 265, 100}, {50, 60}, {70, 60}},
         {617,
          285,
          {8, 42},
          11,
          {{8, 10}, {8, 25}, {304, 25}},
          {{23, 8}, {23, 23}, {319, 23}},
          {{{8, 247}, {8, 262}}},
          {{{539, 247}, {549, 262}}}}},
        // A legend entry or the two ends wider than the plot widen the picture; the last end's
        // lines stay right-aligned.
        {"narrow plot",
         {100, 50, 15, {200}, {80, 60}, {90, 60}},
         {231,
          119,
          {8, 27},
          11,
          {{8, 10}},
          {{23, 8}},
          {{{8, 81}, {8, 96}}},
          {{{104, 81}, {134, 96}}}}},
    };
    for (const auto& c : cases) EXPECT_EQ(LayOutPicture(c.in), c.out) << c.name;
}

} // namespace
} // namespace qv
