#include "recording/frame_time.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

TEST(FrameTime, DaysSince30December1899) {
    EXPECT_DOUBLE_EQ(ToFrameTime({1899, 12, 30, 0, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(ToFrameTime({1900, 1, 1, 0, 0, 0, 0}), 2.0);
    EXPECT_DOUBLE_EQ(ToFrameTime({2000, 1, 1, 12, 0, 0, 0}), 36526.5);
    const LocalDateTime t = FromFrameTime(ToFrameTime({2026, 12, 8, 23, 59, 59, 999}));
    EXPECT_EQ(t.year, 2026);
    EXPECT_EQ(t.month, 12);
    EXPECT_EQ(t.day, 8);
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(t.second, 59);
    EXPECT_EQ(t.millisecond, 999);
}

TEST(FrameTime, MidnightStartsTheNextDay) {
    const double beforeMidnight = ToFrameTime({2026, 12, 8, 23, 59, 59, 0});
    const double midnight = ToFrameTime({2026, 12, 9, 0, 0, 0, 0});
    EXPECT_EQ(std::floor(midnight), std::floor(beforeMidnight) + 1);
    EXPECT_EQ(TimeOfDayText(midnight), "0:00:00");
}

TEST(FrameTime, TimeOfDayTextDropsDateAndMilliseconds) {
    EXPECT_EQ(TimeOfDayText(ToFrameTime({2026, 3, 1, 9, 5, 7, 999})), "9:05:07");
    EXPECT_EQ(TimeOfDayText(ToFrameTime({2026, 3, 1, 21, 45, 0, 0})), "21:45:00");
    EXPECT_EQ(TimeOfDayText(0.0), "0:00:00");
}

TEST(FrameTime, ParseReadsWhatIsWrittenAndTwoDigitHours) {
    for (int s = 0; s < 86400; s += 37) {
        const double t = s / 86400.0;
        const auto parsed = ParseTimeOfDay(TimeOfDayText(t));
        ASSERT_TRUE(parsed.has_value()) << s;
        EXPECT_EQ(TimeOfDayText(*parsed), TimeOfDayText(t));
    }
    ASSERT_TRUE(ParseTimeOfDay("09:05:07").has_value());
    EXPECT_EQ(TimeOfDayText(*ParseTimeOfDay("09:05:07")), "9:05:07");
    EXPECT_LT(*ParseTimeOfDay("23:59:59"), 1.0);
}

TEST(FrameTime, ParseRejectsOtherForms) {
    for (const char* bad : {"", "9", "9:05", "9:5:07", "24:00:00", "9:60:00", "9:05:60",
                            "9:05:07 ", " 9:05:07", "9.05.07", "123:00:00", "9:05:07:01", "a:bc:de"})
        EXPECT_FALSE(ParseTimeOfDay(bad).has_value()) << bad;
}

} // namespace
} // namespace qv
