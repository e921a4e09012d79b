#include "recording/recording_summary.h"

#include "recording/decoding.h"
#include "recording/panel.h"
#include "settings_numbers.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace qv {
namespace {

// The lowest and highest of each parameter are the panel's texts of the first frames that
// reach them; the mean is exact before it is rounded as the panel rounds; times of day run past
// midnight; a flag counts the frames whose panel shows its word for a set bit.
TEST(RecordingSummary, IsThePanelsValuesOverTheRecording) {
    auto store = std::make_unique<RecordingStore>();
    std::mt19937 random(7);
    const int length = 300;
    for (int n = 1; n <= length; ++n) {
        for (auto& byte : store->Row(n).Analog) byte = static_cast<std::uint8_t>(random() % 256);
        store->Row(n).Flags12[1] = n % 4 != 3;
        store->Row(n).FrameTime = (86396 + 2 * n) % 86400 / 86400.0; // from 23:59:58 on
    }
    for (const DisplaySettings& settings : {DisplaySettings{}, SettingsOf(3, 2, 4)}) {
        const RecordingSummary summary = SummarizeRecording(*store, length, settings, ",");
        for (int p = 1; p <= 10; ++p) {
            const ParameterSummary& s = summary.parameters[p - 1];
            const auto panel = [&](int n) { return BuildPanel(*store, n, length, settings, ","); };
            EXPECT_EQ(s.lowest, panel(s.lowestFrame).values[p]);
            EXPECT_EQ(s.highest, panel(s.highestFrame).values[p]);
            const auto value = [&](int n) {
                return std::pair(ParameterValue(p, store->Row(n).Analog[p - 1], settings), n);
            };
            for (int n = 1; n <= length; ++n) { // none lower (higher), none before as low (high)
                EXPECT_GE(value(n), value(s.lowestFrame));
                EXPECT_LE(std::pair(value(n).first, -n),
                          std::pair(value(s.highestFrame).first, -s.highestFrame));
            }
        }
    }
    // Injection 1, 2, 4, 1 ms; inverse coolant 239.6, 239.6, -70 and 229.8 °C (mean 159.75).
    const std::uint8_t injection[] = {8, 16, 32, 8}, coolant[] = {0, 0, 255, 1};
    for (int n = 1; n <= 4; ++n)
        store->Row(n).Analog[0] = injection[n - 1], store->Row(n).Analog[5] = coolant[n - 1];
    const std::vector<std::string> lines =
        SummaryLines(SummarizeRecording(*store, 4, SettingsOf(1, 2, 1), ","));
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[0] + lines[1] + lines[2], "Кадров: 4"
                                              "Длительность: 0:00:06, с 23:59:58 по 0:00:04"
                                              "Между кадрами: 2,00 с");
    EXPECT_EQ(lines[5], "1.А  Форсунки:\t1,000 мс.\t1\t4,000 мс.\t3\t2,000 мс.");
    EXPECT_EQ(lines[10], "6.А  Темпер.ОЖ(Обр.):\t-70,0 град.С\t3\t240,0 град.С\t1\t160,0 град.С");
    EXPECT_EQ(lines[23], "12.1  Дроссельная засл.: Закр\t3\t75,0 %");
    EXPECT_EQ(SummarizeRecording(*store, 1, {}, ",").interval, "");
    // Only the cells of a lowest's and a highest's frame name a frame (coolant: 3 and 1).
    const SummaryLayout layout =
        LayOutSummary(SummarizeRecording(*store, 4, SettingsOf(1, 2, 1), ","));
    std::vector<int> frames;
    for (const SummaryCell& cell : layout.parameters.rows[5]) frames.push_back(cell.frame);
    EXPECT_EQ(frames, (std::vector<int>{0, 0, 3, 0, 1, 0}));
}

} // namespace
} // namespace qv
