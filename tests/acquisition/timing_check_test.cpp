#include "acquisition/timing_check.h"
#include "app/program_state.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace qv {
namespace {

// A counter that advances `step` ticks per reading and stalls once, before reading `stallAt`.
struct SteppingClock : TickClock, Pump, LineSource {
    std::int64_t frequency = 10'000'000;
    std::int64_t now = 123'456'789;
    std::int64_t step = 1;
    long readings = 0;
    long stallAt = -1;
    std::int64_t stallTicks = 0;
    int statusReads = 0;
    int passes = 0;

    bool QueryFrequency(std::int64_t& f) override {
        f = frequency;
        return frequency > 0;
    }
    std::int64_t Now() override {
        if (++readings == stallAt) now += stallTicks;
        return now += step;
    }
    void Pass(std::int64_t) override { ++passes; }
    std::uint32_t ReadModemStatus() override {
        ++statusReads;
        return 0;
    }
};

TEST(TimingCheck, MarksStayFixedSoAStallMakesThreeLateMarks) {
    SteppingClock clock;
    TimingCheckResult result;
    ASSERT_TRUE(RunTimingCheck(clock, clock, clock, result));
    EXPECT_EQ(clock.statusReads, TimingCheckMarks);
    EXPECT_GE(clock.passes, 1000 * 10000); // one pump pass per polling cycle
    // Every mark is noticed one tick late.
    EXPECT_EQ(result.Sum, 1000);
    EXPECT_EQ(result.Maximum, 1);

    // A 3 ms stall just before mark 500 is noticed: that mark is 3 ms late, the next two
    // about 2 and 1 ms, because their waits end at once.
    SteppingClock stalled;
    stalled.stallAt = 1 + 499 * 10'000;
    stalled.stallTicks = 30'000;
    ASSERT_TRUE(RunTimingCheck(stalled, stalled, stalled, result));
    EXPECT_EQ(result.Maximum, 30'000);
    EXPECT_NEAR(static_cast<double>(result.Sum), 60'000.0 + 1000.0, 10.0);
    const std::string report = TimingReportText(result, ",");
    EXPECT_EQ(report, "Средняя неточность отсчёта - 0,0061мс. Мах - 3,0000мс. При неточности 2 "
                      "и более мс. возможны сбои.");

    SteppingClock none;
    none.frequency = 0;
    EXPECT_FALSE(RunTimingCheck(none, none, none, result));
    EXPECT_EQ(none.statusReads, 0);
}

TEST(TimingCheck, ReportTextAndNumbers) {
    TimingCheckResult result{1'000'000, 12'300, 1'500};
    EXPECT_EQ(TimingReportText(result, ","),
              "Средняя неточность отсчёта - 0,0123мс. Мах - 1,5000мс. При неточности 2 и более "
              "мс. возможны сбои.");
    // "Мах" is written with Cyrillic letters.
    EXPECT_NE(TimingReportText(result, ".").find("\xD0\x9C\xD0\xB0\xD1\x85 - 1.5000"),
              std::string::npos);

    EXPECT_EQ(TimingReportNumber(12.345678, ","), "12,3460");
    EXPECT_EQ(TimingReportNumber(0.0123, ","), "0,0123");
    EXPECT_EQ(TimingReportNumber(0.0, ","), "0,0000");
    EXPECT_EQ(TimingReportNumber(0.00004, ","), "0,0000");
    EXPECT_EQ(TimingReportNumber(1234.56789, ","), "1234,6000");
    EXPECT_EQ(TimingReportNumber(9.99996, ","), "10,0000");

    // A 3 GHz counter with every mark 1 ms late: the sum exceeds 2^31 ticks.
    const TimingCheckResult fast{3'000'000'000, 3'000'000'000, 3'000'000};
    EXPECT_EQ(TimingReportText(fast, ","),
              "Средняя неточность отсчёта - 1,0000мс. Мах - 1,0000мс. При неточности 2 и более "
              "мс. возможны сбои.");
}

TEST(TimingCheck, ASecondCheckIsRefusedWhileOneMeasures) {
    ProgramState state; // no port open: the status reads fail unnoticed
    std::promise<std::string> report;
    TimingCheckCallbacks callbacks;
    callbacks.reportReady = [&report](const std::string& text) { report.set_value(text); };
    std::thread check = StartTimingCheck(state, ",", callbacks);
    ASSERT_TRUE(check.joinable());
    EXPECT_FALSE(StartTimingCheck(state, ",", {}).joinable());
    const std::string text = report.get_future().get();
    EXPECT_EQ(text.rfind("Средняя неточность отсчёта - ", 0), 0u) << text;
    check.join();
    EXPECT_FALSE(state.TimingCheckRunning);
}

} // namespace
} // namespace qv
