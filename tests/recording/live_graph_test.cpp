// The live graph's arithmetic and what its scene says and where.
#include "recording/live_scene.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace qv {
namespace {

TEST(LiveSpan, EndsAtTheFrameAndFollowsItOnlyAsFarAsNeeded) {
    const struct {
        int frames, end, length;
        LiveSpan span;
    } spans[] = {
        {200, 2000, 2000, {1801, 2000}}, {200, 150, 2000, {1, 200}}, // too few before the end
        {200, 30, 30, {1, 30}},          {0, 7, 900, {1, 900}},      // all
        {25, 5000, 40, {16, 40}},        {25, 0, 40, {1, 25}},
    };
    for (const auto& c : spans)
        EXPECT_EQ(LiveSpanEnding(c.frames, c.end, c.length), c.span) << c.frames << " " << c.end;

    // Span 100 ending at 500 (401..500): inside it stays, outside it moves just enough.
    const struct {
        int frame, end;
    } follows[] = {{450, 500}, {401, 500}, {400, 499}, {501, 501}, {20, 119}};
    for (const auto& c : follows) EXPECT_EQ(FollowLiveSpan(100, 500, c.frame, 2000), c.end);
    EXPECT_EQ(FollowLiveSpan(100, 500, 50, 60), 60); // the span is the whole recording
}

TEST(LiveScale, FullRangeOverAllBytesAndDataRangeWithItsMargin) {
    auto store = std::make_unique<RecordingStore>();
    for (int n = 1; n <= 10; ++n) store->Row(n).Analog[3] = static_cast<std::uint8_t>(30 + n);
    EXPECT_EQ(FullRange(4, {}), (ValueRange{0, 6375}));
    EXPECT_EQ(FullRange(6, {})->high,
              FullRange(6, {.Temperature = CoolantDependence::Inverse})->high);
    EXPECT_EQ(FullRange(3, {.KHH = IdleAirUnit(7)}), std::nullopt); // no values in an unlisted unit
    // 775..1000 rpm, 5 % of 225 on each side; a flat series gets 5 % of its full range.
    EXPECT_EQ(DataRange(*store, {1, 10}, 4, {}, {0, 6375}), (ValueRange{763.75, 1011.25}));
    EXPECT_EQ(DataRange(*store, {4, 4}, 4, {}, {0, 6375}),
              (ValueRange{850 - 318.75, 850 + 318.75}));
    EXPECT_EQ(RangeEndText(1, 31.875, {}, ","), "31,880");
    EXPECT_EQ(RangeEndText(4, 763.75, {}, ","), "764");
}

TEST(LivePixels, FramesAndValuesLandOnTheirColumnsAndRowsAndClicksFindThem) {
    const PlotArea plot{10, 20, 601, 101};
    const LiveSpan span{101, 200};
    const struct { int frame, x; } columns[] = {{101, 10}, {200, 610}, {150, 307}, {102, 16}};
    for (const auto& c : columns) {
        EXPECT_EQ(LiveFrameX(plot, span, c.frame), c.x) << c.frame;
        EXPECT_EQ(LiveFrameAt(plot, span, c.x), c.frame) << c.x;
    }
    EXPECT_EQ(LiveFrameAt(plot, span, 12), 101);
    EXPECT_EQ(LiveFrameAt(plot, span, 14), 102);
    EXPECT_EQ(LiveFrameAt(plot, span, -50), 101);
    EXPECT_EQ(LiveFrameAt(plot, span, 5000), 200);
    EXPECT_EQ(LiveFrameX(plot, {7, 7}, 7), 610); // one frame stands at the right edge
    const ValueRange range{-10, 90};
    EXPECT_EQ(LiveValueY(plot, range, 90), 20);
    EXPECT_EQ(LiveValueY(plot, range, -10), 120);
    EXPECT_EQ(LiveValueY(plot, range, 40), 70);
}

TEST(LiveLanes, RunsCoverTheSetFramesHalfWayToTheirNeighbours) {
    auto store = std::make_unique<RecordingStore>();
    for (const int n : {1, 2, 5, 10}) store->Row(n).Flags12[0] = 1; // 12.0, the sixth flag
    std::vector<LaneRun> runs;
    LaneRuns(*store, {1, 10}, 5, {0, 0, 91, 10}, runs); // frames every 10 columns
    EXPECT_EQ(runs, (std::vector<LaneRun>{{0, 14}, {35, 44}, {85, 90}}));
    LaneRuns(*store, {3, 4}, 5, {0, 0, 91, 10}, runs);
    EXPECT_TRUE(runs.empty());
}

TEST(LiveAxis, TicksAtRoundFramesAsCloseAsTheirTextsAllow) {
    std::vector<AxisTick> ticks;
    std::vector<int> frames;
    const auto frameNumbers = [&] {
        frames.clear();
        for (const AxisTick& tick : ticks) frames.push_back(tick.frame);
        return frames;
    };
    LiveAxisTicks({0, 0, 600, 10}, {1801, 2000}, 50, ticks); // 3 columns a frame: step 20
    EXPECT_EQ(frameNumbers().front(), 1820);
    EXPECT_EQ(frameNumbers().size(), 10u);
    LiveAxisTicks({0, 0, 600, 10}, {1, 2000}, 50, ticks); // step 200
    EXPECT_EQ(frameNumbers(),
              (std::vector<int>{200, 400, 600, 800, 1000, 1200, 1400, 1600, 1800, 2000}));
    LiveAxisTicks({0, 0, 600, 10}, {3, 7}, 50, ticks); // every frame
    EXPECT_EQ(ticks.size(), 5u);
    EXPECT_EQ(ticks[1], (AxisTick{4, 150}));
}

TEST(LiveColours, AreDistinctAndNoneIsBlack) {
    std::set<std::uint32_t> colours;
    for (int n = 1; n <= LiveSeriesCount; ++n) colours.insert(LiveSeriesColour(n));
    EXPECT_EQ(colours.size(), std::size_t(LiveSeriesCount));
    EXPECT_EQ(colours.count(0), 0u);
}

// Texts 6 pixels a character, lines 13 high.
int SixPixelsAChar(const std::string& text) {
    int chars = 0;
    for (const unsigned char c : text) chars += (c & 0xC0) != 0x80;
    return 6 * chars;
}

TEST(LiveScene, PlacesCurvesLanesAxisAndHealthAndSaysWhatThePanelSays) {
    auto store = std::make_unique<RecordingStore>();
    for (int n = 1; n <= 300; ++n) {
        store->Row(n).Analog[0] = static_cast<std::uint8_t>(n % 200);
        store->Row(n).Flags11[1] = n > 250;
        store->Row(n).FrameTime = 1.5 + n / 86400.0;
    }
    LiveChoices choices;
    choices.series[1] = {1, LiveScale::Data};
    choices.series[4] = {4, LiveScale::Full};
    choices.flags[1] = choices.flags[11] = true;
    choices.span = 100;
    const std::vector<LiveMark> marks{{150, true, false}, {260, false, true}};
    const LiveSceneInput input{*store,      300, 280, 300,   true,
                               choices,     {},  ",", marks, "Линия: кадров: 300",
                               "Подсказка", 800, 400, 13,    SixPixelsAChar};
    LiveScene scene;
    BuildLiveScene(input, scene);

    EXPECT_EQ(scene.span, (LiveSpan{201, 300}));
    ASSERT_EQ(scene.series.size(), 2u);
    const LiveSeriesView& injection = scene.series[0];
    EXPECT_EQ(injection.rgb, LiveSeriesColour(2)); // the colour stays with the series' place
    EXPECT_EQ(injection.caption.text, "1.А  Форсунки:");
    EXPECT_EQ(injection.value.text, "10,000 мс."); // byte 80 of frame 280, as the panel
    EXPECT_EQ(injection.points.size(), 100u);      // one point a frame
    EXPECT_EQ(injection.points.back().x, scene.plot.Right());
    EXPECT_EQ(scene.series[1].low.text, "0");
    EXPECT_EQ(scene.series[1].high.text, "6375");
    ASSERT_EQ(scene.lanes.size(), 2u);
    EXPECT_EQ(scene.lanes[0].value.text, "Да");
    EXPECT_EQ(scene.lanes[1].caption.text, "12.7  Диагностика?:");
    EXPECT_EQ(scene.cursorX, LiveFrameX(scene.plot, scene.span, 280));
    ASSERT_EQ(scene.marks.size(), 1u); // frame 150 lies before the span
    EXPECT_FALSE(scene.marks[0].faulty);
    EXPECT_EQ(scene.firstEnd.text, "кадр 201, 12:03:21");

    // Top to bottom and left to right, nothing overlaps and everything stays in the drawing.
    EXPECT_EQ(scene.lanes[1].caption.at.x, LiveMargin);
    EXPECT_LT(scene.lanes[1].caption.at.x + SixPixelsAChar("12.7  Диагностика?:"),
              scene.lanes[1].value.at.x);
    EXPECT_LT(scene.lanes[1].value.at.x + SixPixelsAChar(scene.lanes[1].value.text),
              scene.plot.left);
    EXPECT_LT(scene.plot.Bottom(), scene.lanes[0].top);
    EXPECT_LT(scene.lanes[1].top + scene.lanes[1].height, scene.axisY);
    EXPECT_LT(scene.axisY + LiveMarkSize, scene.tickTexts[0].at.y);
    EXPECT_LT(scene.firstEnd.at.y + 13, scene.health[0].at.y + 1);
    EXPECT_EQ(scene.health[1].at.y + 13, 400 - LiveMargin);
    EXPECT_LT(scene.plot.Right(), injection.swatch.x);
    EXPECT_EQ(scene.series[1].caption.at.x + SixPixelsAChar(scene.series[1].caption.text),
              800 - LiveMargin); // the widest caption ends at the margin

    const PictureTexts texts = LivePictureTexts(input, scene);
    ASSERT_EQ(texts.legend.size(), 2u);
    EXPECT_EQ(texts.legend[1].text, "Обороты, об/м: 0 … 6375");
    EXPECT_EQ(texts.last.frame, "кадр 300");
}

} // namespace
} // namespace qv
