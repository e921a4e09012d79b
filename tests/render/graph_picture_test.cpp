#include "ui/render/graph_picture.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv {
namespace {

class GraphPicture : public ::testing::Test {
protected:
    void SetUp() override {
        for (int n = 1; n <= 1000; ++n) {
            FrameRow& row = store->Row(n);
            row.Analog[0] = static_cast<std::uint8_t>(n % 200); // injection
            row.Analog[4] = 100;                                // intake sensor
            row.Flags12[7] = n % 2;                             // 12.7
        }
    }
    std::unique_ptr<RecordingStore> store = std::make_unique<RecordingStore>();
    GraphRenderer renderer;
    DisplaySettings settings;
};

TEST_F(GraphPicture, RedrawGivesEverySeriesItsLabels) {
    settings.Vozduh = IntakeKind(3);
    SeriesChoices series;
    series[0] = {true, 4, Qt::red};   // MAF in ms
    series[1] = {true, -1, Qt::blue}; // a typed text that matches no item
    series[3] = {true, 21, Qt::green};
    const auto labels = RedrawPicture(renderer, *store, {1, 100, 49}, series, settings, ",");
    EXPECT_TRUE(labels[0].visible);
    EXPECT_EQ(labels[0].value, QString::fromUtf8("25,60 ms"));
    EXPECT_EQ(labels[0].top, QString::fromUtf8("80мс"));
    EXPECT_EQ(labels[0].mid, QString::fromUtf8("40мс"));
    EXPECT_EQ(labels[0].bottom, QString::fromUtf8("0мс"));
    EXPECT_EQ(labels[1], (SeriesTexts{true, "0", "0", "0", "0"}));
    EXPECT_FALSE(labels[2].visible);
    EXPECT_EQ(labels[3].value, QString::fromUtf8("Было")); // frame 50: bit clear
    EXPECT_EQ(labels[3].mid, QString());
    EXPECT_EQ(renderer.Saved().x, GraphCursorX(100, 49));
}

TEST_F(GraphPicture, LaterSeriesLieOverEarlierOnes) {
    SeriesChoices series;
    series[0] = {true, 0, Qt::red};
    series[4] = {true, 0, Qt::blue};
    RedrawPicture(renderer, *store, {1, 101, 0}, series, settings, ",");
    // Frame 21 has injection byte 21: y = 199 - ceil(17.43) = 181, at x = 120.
    EXPECT_EQ(renderer.GraphBitmap().pixel(120, 181), QColor(Qt::blue).rgb());
}

TEST_F(GraphPicture, CursorMoveUpdatesOnlyValuesWithARow) {
    SeriesChoices series;
    series[0] = {true, 21, Qt::red};
    series[1] = {true, -1, Qt::blue};
    const GraphFrameSpan view{11, 100, 0};
    auto labels = RedrawPicture(renderer, *store, view, series, settings, ",");
    EXPECT_EQ(labels[0].value, QString::fromUtf8("Небыл")); // frame 11
    labels[1].value = QStringLiteral("kept");
    MoveCursor(renderer, *store, {11, 100, 1}, series, settings, ",", labels);
    EXPECT_EQ(labels[0].value, QString::fromUtf8("Было")); // frame 12
    EXPECT_EQ(labels[1].value, QStringLiteral("kept"));
    EXPECT_EQ(renderer.Saved().x, 6);
}

TEST(GraphCaptionText, HasTwoBlanksAfterTheWord) {
    EXPECT_EQ(GraphCaption(450, 100), QString::fromUtf8("Графики  с 450 по 549 кадр"));
}

TEST(SeriesColourValues, AreWindowsColourValues) {
    EXPECT_EQ(WindowsColour(QColor(255, 0, 0)), 255);
    EXPECT_EQ(WindowsColour(QColor(0, 0, 255)), 16711680);
    EXPECT_EQ(ColourFromWindows(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(ColourFromWindows(0), QColor(Qt::black));
    EXPECT_EQ(WindowsColour(ColourFromWindows(0x00ABCDEF)), 0x00ABCDEF);
    // A value with a stray high byte still gives the colour of its low three bytes.
    EXPECT_EQ(ColourFromWindows(static_cast<std::int32_t>(0xFF0000FFu)), QColor(255, 0, 0));
}

} // namespace
} // namespace qv
