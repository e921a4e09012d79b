#include "recording/graph_span.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Entries = std::vector<std::string>;

TEST(GraphSpanList, FollowsTheLengthWithItsDuplicates) {
    EXPECT_EQ(SpanListEntries(5), (Entries{"5"}));
    EXPECT_EQ(SpanListEntries(6), (Entries{"5", "6"}));
    EXPECT_EQ(SpanListEntries(10), (Entries{"5", "10", "10"}));
    EXPECT_EQ(SpanListEntries(99), (Entries{"5", "10", "20", "50", "99"}));
    EXPECT_EQ(SpanListEntries(1000),
              (Entries{"5", "10", "20", "50", "100", "200", "500", "1000", "1000"}));
    EXPECT_EQ(SpanListEntries(2000),
              (Entries{"5", "10", "20", "50", "100", "200", "500", "1000", "2000", "2000"}));
    EXPECT_EQ(SpanListEntries(4), (Entries{"5"})); // after deleting below five frames
}

TEST(GraphSpanSteps, RoundUp) {
    EXPECT_EQ(HalfUp(5), 3);
    EXPECT_EQ(HalfUp(1000), 500);
    EXPECT_EQ(HalfUp(0), 0);
    EXPECT_EQ(SpanLargeStep(100), 20);
    EXPECT_EQ(SpanLargeStep(101), 21);
    EXPECT_EQ(SpanLargeStep(2), 1);
}

TEST(GraphSpanText, IsAWholeNumberClampedToTwoAndTheLength) {
    EXPECT_EQ(ParseSpan("100", 1000), 100);
    EXPECT_EQ(ParseSpan("5000", 1000), 1000);
    EXPECT_EQ(ParseSpan(" 2", 1000), 2);
    for (const char* low : {"1", "0", "-5", "-2147483648"})
        EXPECT_EQ(ParseSpan(low, 1000), 2) << low;
    for (const char* bad : {"", "-", "abc", "10x", "1.5", "99999999999"})
        EXPECT_EQ(ParseSpan(bad, 1000), std::nullopt) << bad;
    EXPECT_EQ(SpanRejectedText("1.5", 1000),
              "«1.5» не годится: впишите число кадров, от 2 до 1000");
    EXPECT_EQ(SpanRejectedText("", 40), "Впишите число кадров, от 2 до 40");
}

TEST(GraphSpanStart, CentresTheFrameWhereTheRecordingAllows) {
    EXPECT_EQ(CentredSpanStart(500, 100, 1000), 450);
    EXPECT_EQ(CentredSpanStart(30, 100, 1000), 1);
    EXPECT_EQ(CentredSpanStart(990, 100, 1000), 901);
    EXPECT_EQ(CentredSpanStart(700, 1000, 1000), 1);
    EXPECT_EQ(CentredSpanStart(3, 5, 5), 1);
}

} // namespace
} // namespace qv
