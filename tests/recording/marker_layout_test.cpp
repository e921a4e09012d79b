#include "base/round_half_even.h"
#include "recording/marker_buttons.h"
#include "recording/marker_press.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(5, 2), 2);  // 2.5
    EXPECT_EQ(RoundHalfEven(7, 2), 4);  // 3.5
    EXPECT_EQ(RoundHalfEven(11, 5), 2); // 2.2
    EXPECT_EQ(RoundHalfEven(13, 5), 3); // 2.6
    EXPECT_EQ(RoundHalfEven(-5, 2), -2);
    EXPECT_EQ(RoundHalfEven(-7, 2), -4);
}

TEST(MarkerButtonsLayout, SpreadsTheFiveMarkersOverTheWindowWidth) {
    const MarkerRowLayout narrow = MarkerButtonsLayout(265);
    EXPECT_EQ(narrow.lefts, (std::array<int, 5>{0, 52, 104, 156, 208}));
    EXPECT_EQ(narrow.width, 51);

    const MarkerRowLayout wide = MarkerButtonsLayout(556);
    EXPECT_EQ(wide.lefts, (std::array<int, 5>{0, 110, 220, 331, 441}));
    EXPECT_EQ(wide.width, 109);

    const MarkerRowLayout widest = MarkerButtonsLayout(656);
    EXPECT_EQ(widest.lefts, (std::array<int, 5>{0, 130, 260, 391, 521}));
    EXPECT_EQ(widest.width, 129); // 651 / 5.05 = 128.9
}

TEST(MarkerButtonsLayout, ToleratesAWindowNarrowerThanItsBorder) {
    const MarkerRowLayout layout = MarkerButtonsLayout(3);
    EXPECT_EQ(layout.lefts, (std::array<int, 5>{0, 0, 0, 0, 0}));
    EXPECT_EQ(layout.width, 0);
}

TEST(MarkerFrameNumber, AcceptsOnlyWholeNumbers) {
    EXPECT_EQ(MarkerFrameNumber("0"), 0);
    EXPECT_EQ(MarkerFrameNumber("37"), 37);
    EXPECT_EQ(MarkerFrameNumber("-4"), -4);
    EXPECT_EQ(MarkerFrameNumber("99999999999999999999"), 2147483647);
    EXPECT_FALSE(MarkerFrameNumber("").has_value());
    EXPECT_FALSE(MarkerFrameNumber("-").has_value());
    EXPECT_FALSE(MarkerFrameNumber("12a").has_value());
    EXPECT_FALSE(MarkerFrameNumber(" 12").has_value());
    EXPECT_FALSE(MarkerFrameNumber("1.5").has_value());
}

TEST(PressMarker, LeftRememberesOrJumpsRightEmptiesMiddleIgnores) {
    MarkerPress press = PressMarker(MouseKey::Left, "0", 37);
    EXPECT_EQ(press.newCaption, "37");
    EXPECT_FALSE(press.jumpTo.has_value());

    press = PressMarker(MouseKey::Left, "37", 5);
    EXPECT_FALSE(press.newCaption.has_value());
    EXPECT_EQ(press.jumpTo, 37);

    press = PressMarker(MouseKey::Right, "37", 5);
    EXPECT_EQ(press.newCaption, "0");
    EXPECT_FALSE(press.jumpTo.has_value());

    press = PressMarker(MouseKey::Middle, "37", 5);
    EXPECT_FALSE(press.newCaption.has_value());
    EXPECT_FALSE(press.jumpTo.has_value());
}

TEST(PressMarker, ADamagedCaptionCountsAsEmptyAndIsReported) {
    const MarkerPress press = PressMarker(MouseKey::Left, "abc", 12);
    EXPECT_TRUE(press.captionWasInvalid);
    EXPECT_EQ(press.newCaption, "12");
    EXPECT_FALSE(press.jumpTo.has_value());
    EXPECT_FALSE(PressMarker(MouseKey::Left, "0", 12).captionWasInvalid);
}

} // namespace
} // namespace qv
