#include "settings_numbers.h"
#include "ui/render/graph_picture.h"
#include "ui/render/graph_render.h"
#include "ui/render/wide_line.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv {
namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

class GraphRender : public ::testing::Test {
protected:
    // Frames 1..count hold `byte` in every analog byte and all flags as given.
    void Fill(int count, std::uint8_t byte, bool flags = false) {
        for (int n = 1; n <= count; ++n) {
            FrameRow& row = store->Row(n);
            row.Analog.fill(byte);
            row.Flags11.fill(flags);
            row.Flags12.fill(flags);
        }
    }
    QRgb At(int x, int y) const { return renderer.GraphBitmap().pixel(x, y); }
    QImage Cleared() {
        GraphRenderer empty;
        empty.ClearGraph();
        return empty.GraphBitmap();
    }

    std::unique_ptr<RecordingStore> store = std::make_unique<RecordingStore>();
    GraphRenderer renderer;
    DisplaySettings settings;
};

TEST_F(GraphRender, ClearGraphDrawsFrameAndDashedGrid) {
    renderer.ClearGraph();
    for (int x = 0; x <= 600; x += 50) {
        EXPECT_EQ(At(x, 0), Black) << x;
        EXPECT_EQ(At(x, 200), Black) << x;
    }
    for (int y = 0; y <= 200; y += 20) {
        EXPECT_EQ(At(0, y), Black) << y;
        EXPECT_EQ(At(600, y), Black) << y;
    }
    for (const int y : {49, 99, 149}) {
        int black = 0;
        for (int x = 1; x <= 598; ++x) black += At(x, y) == Black;
        EXPECT_GT(black, 200) << y;        // dashed: many pixels drawn...
        EXPECT_LT(black, 597) << y;        // ...but not all of them
        EXPECT_EQ(At(599, y), White) << y; // the grid ends at x = 598
    }
    EXPECT_EQ(At(1, 99), Black); // the dash starts at the left edge
    for (const int y : {1, 48, 50, 98, 100, 148, 150, 199})
        for (int x = 1; x < 600; ++x) ASSERT_EQ(At(x, y), White) << x << "," << y;
}

TEST_F(GraphRender, TwoFrameSpanIsOneSegmentAcrossTheWholeWidth) {
    Fill(2, 0);
    renderer.ClearGraph();
    const auto scale = renderer.PlotSeries(*store, 1, 2, 0, settings, Red);
    ASSERT_TRUE(scale);
    EXPECT_EQ(*scale, (SeriesScale{"30мс", "15мс", "0мс"}));
    for (const int x : {0, 1, 300, 599, 600}) {
        EXPECT_EQ(At(x, 199), Red.rgb()) << x; // two pixels wide: rows 198 and 199
        EXPECT_EQ(At(x, 198), Red.rgb()) << x;
    }
    EXPECT_EQ(At(300, 197), White);
    EXPECT_EQ(At(300, 200), Black);
    renderer.DrawCursor(2, 0);
    EXPECT_EQ(renderer.Saved().x, 0);
    renderer.RestoreColumn();
    renderer.DrawCursor(2, 1);
    EXPECT_EQ(renderer.Saved().x, 600);
}

TEST_F(GraphRender, CurvePointsFollowTheFrameColumns) {
    // A spike in frame 2 shows where the frame at offset 1 stands.
    Fill(101, 0);
    store->Row(2).Analog[0] = 100; // y = 116
    renderer.ClearGraph();
    ASSERT_TRUE(renderer.PlotSeries(*store, 1, 101, 0, settings, Red));
    EXPECT_EQ(At(6, 116), Red.rgb()); // step 6 for 101 frames
    EXPECT_EQ(At(7, 116), White);
    EXPECT_EQ(At(6, 115), White);
    renderer.ClearGraph();
    ASSERT_TRUE(renderer.PlotSeries(*store, 1, 100, 0, settings, Red));
    EXPECT_EQ(At(7, 116), Red.rgb()); // step 600/99 rounded up
    EXPECT_EQ(At(8, 116), White);
    // The cursor for offset 1 stands one pixel to the left, 6 = floor(600/99).
    renderer.DrawCursor(100, 1);
    EXPECT_EQ(renderer.Saved().x, 6);
    renderer.RestoreColumn();
    renderer.DrawCursor(101, 7);
    EXPECT_EQ(renderer.Saved().x, 42);
}

TEST_F(GraphRender, ParameterLevelsLandOnTheirRows) {
    struct Case {
        int k;
        std::uint8_t byte;
        DisplaySettings settings;
        int y;
    };
    const Case cases[] = {
        {0, 0, {}, 199},
        {0, 120, {}, 99},
        {1, 0, {}, 129},
        {1, 64, {}, 98},
        {1, 255, {}, 9},
        {2, 255, SettingsOf(1, 1, 1), 0},
        {2, 62, SettingsOf(2, 1, 1), 100},
        {3, 200, {}, 99},
        {3, 255, {}, 72},
        {5, 82, {}, 149},
        {5, 180, {}, 109},
        {4, 100, SettingsOf(1, 1, 3), 135},
        {6, 100, {}, 99},
        {8, 128, {}, 99},
    };
    for (const Case& c : cases) {
        Fill(10, c.byte);
        renderer.ClearGraph();
        ASSERT_TRUE(renderer.PlotSeries(*store, 1, 10, c.k, c.settings, Blue)) << c.k;
        EXPECT_EQ(At(300, c.y), Blue.rgb()) << c.k << " " << int(c.byte);
        EXPECT_NE(At(300, c.y + 1), Blue.rgb()) << c.k << " " << int(c.byte);
        if (c.y >= 2) {
            EXPECT_NE(At(300, c.y - 2), Blue.rgb()) << c.k << " " << int(c.byte);
        }
    }
}

TEST_F(GraphRender, FlagsUseTheTwoLevels) {
    Fill(20, 0, true);
    renderer.ClearGraph();
    ASSERT_TRUE(renderer.PlotSeries(*store, 1, 20, 21, settings, Red));
    for (int x = 0; x <= 600; x += 25) EXPECT_EQ(At(x, 2), Red.rgb()) << x;
    Fill(20, 0, false);
    renderer.ClearGraph();
    ASSERT_TRUE(renderer.PlotSeries(*store, 1, 20, 10, settings, Red));
    for (int x = 0; x <= 600; x += 25) EXPECT_EQ(At(x, 198), Red.rgb()) << x;
    EXPECT_EQ(At(300, 2), White);
}

TEST_F(GraphRender, ValuesBeyondTheScaleAreClippedAway) {
    const QImage cleared = Cleared();
    // Injection 255 is at y = -13, coolant 0 at y = 219 and, inverse, 255 at 219 too.
    for (const auto& [k, byte, temperature] :
         {std::tuple{0, 255, 1}, std::tuple{5, 0, 1}, std::tuple{5, 255, 2}}) {
        Fill(50, static_cast<std::uint8_t>(byte));
        settings.Temperature = CoolantDependence(temperature);
        renderer.ClearGraph();
        ASSERT_TRUE(renderer.PlotSeries(*store, 1, 50, k, settings, Red));
        EXPECT_EQ(renderer.GraphBitmap(), cleared) << k << " " << byte;
    }
    // A segment that leaves the area is drawn up to the edge.
    Fill(2, 0);
    store->Row(2).Analog[0] = 255;
    renderer.ClearGraph();
    ASSERT_TRUE(renderer.PlotSeries(*store, 1, 2, 0, settings, Red));
    int top = 0;
    for (int x = 0; x <= 600; ++x) top += At(x, 0) == Red.rgb();
    EXPECT_GT(top, 0);
    EXPECT_EQ(At(600, 0), Black);
}

TEST_F(GraphRender, RowsThatDoNotApplyDrawNothing) {
    Fill(10, 100);
    const QImage cleared = Cleared();
    renderer.ClearGraph();
    EXPECT_FALSE(renderer.PlotSeries(*store, 1, 10, -1, settings, Red));
    EXPECT_FALSE(renderer.PlotSeries(*store, 1, 10, 22, settings, Red));
    EXPECT_FALSE(renderer.PlotSeries(*store, 1, 10, 2, SettingsOf(4, 1, 1), Red));
    EXPECT_FALSE(renderer.PlotSeries(*store, 1, 10, 4, SettingsOf(1, 1, 6), Red));
    EXPECT_FALSE(renderer.PlotSeries(*store, 1999, 10, 0, settings, Red)); // beyond the store
    EXPECT_EQ(renderer.GraphBitmap(), cleared);
}

TEST_F(GraphRender, CursorIsADashedLineAndMovingItLeavesNoTrace) {
    for (int n = 1; n <= 2000; ++n) store->Row(n).Analog[3] = static_cast<std::uint8_t>(n * 7);
    renderer.ClearGraph();
    ASSERT_TRUE(renderer.PlotSeries(*store, 1, 2000, 3, settings, Red));
    const QImage curves = renderer.GraphBitmap();

    renderer.DrawCursor(2000, 1000);
    const int x = renderer.Saved().x;
    EXPECT_EQ(x, 300);
    int black = 0;
    for (int y = 0; y <= 198; ++y) black += At(x, y) == Black;
    EXPECT_GT(black, 100);
    EXPECT_LT(black, 199);
    EXPECT_EQ(At(x, 0), Black);
    EXPECT_EQ(At(x, 199), curves.pixel(x, 199)); // the line stops at row 198
    const QImage withCursor = renderer.GraphBitmap();

    // Over every column of the curve and back again.
    for (int c = 1000; c < 2000; c += 37) {
        renderer.RestoreColumn();
        renderer.DrawCursor(2000, c);
    }
    renderer.RestoreColumn();
    EXPECT_EQ(renderer.GraphBitmap(), curves);
    renderer.DrawCursor(2000, 1000);
    EXPECT_EQ(renderer.GraphBitmap(), withCursor);
}

TEST_F(GraphRender, SavedColumnStartsBlackAtTheLeftEdge) {
    EXPECT_EQ(renderer.Saved().x, 0);
    for (const QRgb colour : renderer.Saved().colours) EXPECT_EQ(colour, Black);
    renderer.RestoreColumn();
    for (int y = 0; y <= 200; ++y) EXPECT_EQ(At(0, y), Black);
    EXPECT_EQ(At(1, 100), White);
}

TEST(WideLine, CoversBothEndsTwoPixelsWideAndClips) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(White);
    const QRgb red = qRgb(255, 0, 0);
    DrawWideLine(image, 2, 10, 15, 12, red); // wider than tall: doubled upwards
    EXPECT_EQ(image.pixel(2, 10), red);
    EXPECT_EQ(image.pixel(2, 9), red);
    EXPECT_EQ(image.pixel(15, 12), red);
    EXPECT_EQ(image.pixel(15, 11), red);
    EXPECT_EQ(image.pixel(16, 12), White);
    DrawWideLine(image, 5, 1, 6, 18, red); // taller than wide: doubled to the left
    EXPECT_EQ(image.pixel(5, 1), red);
    EXPECT_EQ(image.pixel(4, 1), red);
    EXPECT_EQ(image.pixel(6, 18), red);
    EXPECT_EQ(image.pixel(5, 18), red);
    EXPECT_EQ(image.pixel(6, 19), White);
    EXPECT_EQ(image.pixel(7, 18), White);
    image.fill(White);
    DrawWideLine(image, -500, -7, 500, 30, red); // far outside on both ends
    int drawn = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) drawn += image.pixel(x, y) == red;
    EXPECT_GT(drawn, 0);
    DrawWideLine(image, 3, 3, 3, 3, red); // a single point is two pixels
    EXPECT_EQ(image.pixel(3, 3), red);
    EXPECT_EQ(image.pixel(3, 2), red);
}

} // namespace
} // namespace qv
