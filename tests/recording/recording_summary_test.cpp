#include "recording/recording_summary.h"

#include "recording/decoding.h"
#include "recording/frame_time.h"
#include "recording/panel.h"
#include "settings_numbers.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace qv {
namespace {

// Over a varied recording and several units, the lowest and highest of each parameter are the
// panel's texts of their frames, no frame goes below or above them, and none before their
// frame reaches them; a flag's count is the number of frames whose panel shows its word.
TEST(RecordingSummary, RangesAndCountsAreThePanelsValues) {
    auto store = std::make_unique<RecordingStore>();
    std::mt19937 random(7);
    const int length = 300;
    for (int n = 1; n <= length; ++n) {
        FrameRow& row = store->Row(n);
        for (auto& byte : row.Analog) byte = static_cast<std::uint8_t>(random() % 256);
        for (auto& bit : row.Flags11) bit = random() % 3 == 0;
        for (auto& bit : row.Flags12) bit = random() % 2;
    }
    for (const DisplaySettings& settings :
         {DisplaySettings{}, SettingsOf(3, 2, 4), SettingsOf(2, 1, 5)}) {
        const RecordingSummary summary = SummarizeRecording(*store, length, settings, ",");
        EXPECT_EQ(summary.frames, length);
        for (int p = 1; p <= 10; ++p) {
            const ParameterSummary& s = summary.parameters[p - 1];
            const auto value = [&](int n) {
                return ParameterValue(p, store->Row(n).Analog[p - 1], settings);
            };
            EXPECT_EQ(s.label, BuildPanel(*store, 1, length, settings, ",").labels[p]);
            EXPECT_EQ(s.lowest, BuildPanel(*store, s.lowestFrame, length, settings, ",").values[p]);
            EXPECT_EQ(s.highest,
                      BuildPanel(*store, s.highestFrame, length, settings, ",").values[p]);
            for (int n = 1; n <= length; ++n) {
                EXPECT_GE(value(n), value(s.lowestFrame)) << p << " " << n;
                EXPECT_LE(value(n), value(s.highestFrame)) << p << " " << n;
                if (n < s.lowestFrame) {
                    EXPECT_GT(value(n), value(s.lowestFrame));
                }
                if (n < s.highestFrame) {
                    EXPECT_LT(value(n), value(s.highestFrame));
                }
            }
        }
        for (int f = 0; f < NamedFlagCount; ++f) {
            int shown = 0;
            for (int n = 1; n <= length; ++n)
                shown += BuildPanel(*store, n, length, settings, ",").values[11 + f] ==
                         summary.flags[f].word;
            EXPECT_EQ(summary.flags[f].frames, shown) << f;
        }
    }
}

// The mean is exact before it is rounded as the panel rounds; times of day run past midnight.
TEST(RecordingSummary, MeanDurationAndShare) {
    auto store = std::make_unique<RecordingStore>();
    const struct {
        int second; // of the day
        std::uint8_t injection, coolant;
        bool throttleClosed;
    } frames[] = {{86398, 8, 0, true}, {86399, 16, 0, true}, {0, 32, 255, false}, {2, 8, 1, true}};
    for (int n = 1; n <= 4; ++n) {
        FrameRow& row = store->Row(n);
        row.FrameTime = frames[n - 1].second / 86400.0;
        row.Analog[0] = frames[n - 1].injection;
        row.Analog[5] = frames[n - 1].coolant;
        row.Flags12[1] = frames[n - 1].throttleClosed;
    }
    const RecordingSummary summary = SummarizeRecording(*store, 4, SettingsOf(1, 2, 1), ",");
    const std::vector<std::string> lines = SummaryLines(summary);
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[0], "Кадров: 4");
    EXPECT_EQ(lines[1], "Длительность: 0:00:04, с 23:59:58 по 0:00:02");
    EXPECT_EQ(lines[2], "Между кадрами: 1,33 с");
    EXPECT_EQ(lines[5], "1.А  Форсунки:\t1,000 мс.\t1\t4,000 мс.\t3\t2,000 мс.");
    // Inversely 0, 0, 255, 1 are 239.6, 239.6, -70 and 229.8 °C: their mean is 159.75.
    EXPECT_EQ(lines[10], "6.А  Темпер.ОЖ(Обр.):\t-70,0 град.С\t3\t240,0 град.С\t1\t160,0 град.С");
    EXPECT_EQ(lines[23], "12.1  Дроссельная засл.: Закр\t3\t75,0 %");
    EXPECT_EQ(SummarizeRecording(*store, 1, {}, ",").interval, "");
}

} // namespace
} // namespace qv
