#include "recording/decoding.h"

#include "reference_decimal.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(FixedText, CoarserOfSignificantDigitsAndDecimals) {
    EXPECT_EQ(FixedText(ExactValue{11815, 100}, 3, 1, ","), "118,0"); // 118.15 at 3 digits
    EXPECT_EQ(FixedText(ExactValue{2396, 10}, 3, 1, ","), "240,0");
    EXPECT_EQ(FixedText(ExactValue{31875, 1000}, 4, 3, ","), "31,880");
    EXPECT_EQ(FixedText(ExactValue{10033, 100}, 3, 1, ","), "100,0");
    EXPECT_EQ(FixedText(ExactValue{5, 256}, 3, 2, ","), "0,02"); // 0.0195...
    EXPECT_EQ(FixedText(ExactValue{1, 8}, 4, 3, ","), "0,125");
    EXPECT_EQ(FixedText(ExactValue{1, 8}, 2, 3, ","), "0,130");
    EXPECT_EQ(FixedText(ExactValue{6375, 1}, 4, 0, ","), "6375");
}

TEST(FixedText, HalvesRoundAwayFromZero) {
    EXPECT_EQ(FixedText(ExactValue{-2765, 100}, 3, 1, ","), "-27,7");
    EXPECT_EQ(FixedText(ExactValue{2765, 100}, 3, 1, ","), "27,7");
    EXPECT_EQ(FixedText(ExactValue{55, 100}, 3, 1, ","), "0,6");
    EXPECT_EQ(FixedText(ExactValue{-55, 100}, 3, 1, ","), "-0,6");
    EXPECT_EQ(FixedText(ExactValue{5, 2}, 3, 0, ","), "3");
    EXPECT_EQ(FixedText(ExactValue{-5, 2}, 3, 0, ","), "-3");
    EXPECT_EQ(FixedText(ExactValue{249999, 100000}, 3, 0, ","), "2");
}

TEST(FixedText, CarryIntoANewDigit) {
    EXPECT_EQ(FixedText(ExactValue{9996, 100}, 3, 1, ","), "100,0");
    EXPECT_EQ(FixedText(ExactValue{-9995, 1000}, 3, 2, ","), "-10,00");
    EXPECT_EQ(FixedText(ExactValue{999, 1000}, 3, 2, ","), "1,00");
}

TEST(FixedText, NoMinusSignForAValueThatRoundsToZero) {
    EXPECT_EQ(FixedText(ExactValue{-4, 100}, 3, 1, ","), "0,0");
    EXPECT_EQ(FixedText(ExactValue{-1, 1000000}, 3, 2, ","), "0,00");
    EXPECT_EQ(FixedText(ExactValue{0, 7}, 4, 3, ","), "0,000");
    EXPECT_EQ(FixedText(ExactValue{-3, 10}, 3, 0, ","), "0");
    EXPECT_EQ(FixedText(ExactValue{-5, 100}, 3, 1, ","), "-0,1");
}

TEST(FixedText, NegativeDenominatorAndSeparator) {
    EXPECT_EQ(FixedText(ExactValue{3, -2}, 3, 1, "."), "-1.5");
    EXPECT_EQ(FixedText(ExactValue{-3, -2}, 3, 2, " dec "), "1 dec 50");
    EXPECT_EQ(FixedText(ExactValue{1, 0}, 3, 1, ","), "");
}

TEST(FixedText, IntegerPartLongerThanPrecisionFallsBackToScientific) {
    EXPECT_EQ(FixedText(ExactValue{12345, 1}, 3, 1, ","), "1,23E4");
    EXPECT_EQ(FixedText(ExactValue{9996, 10}, 3, 1, ","), "1E3");
    EXPECT_EQ(FixedText(ExactValue{-120000, 1}, 2, 2, ","), "-1,2E05");
}

// Fractions with assorted denominators against the reference rounding.
TEST(FixedText, AgreesWithTheReferenceOverManyFractions) {
    for (long long den : {1LL, 2LL, 3LL, 7LL, 8LL, 100LL, 255LL, 256LL, 1535LL, 1000LL})
        for (long long num = -3000; num <= 3000; num += 13)
            for (int P = 1; P <= 5; ++P)
                for (int D = 0; D <= 3; ++D) {
                    const test::Fraction f(num, den);
                    // At 10^P - 1/2 and above the integer part outgrows P digits: the
                    // scientific fallback, checked above.
                    if (test::Abs(f) >= test::Fraction(2 * test::PowerOfTen(P) - 1, 2)) continue;
                    ASSERT_EQ(FixedText(ExactValue{num, den}, P, D, ","),
                              test::ReferenceFixed(f, P, D, ","))
                        << num << "/" << den << " P " << P << " D " << D;
                }
}

} // namespace
} // namespace qv
