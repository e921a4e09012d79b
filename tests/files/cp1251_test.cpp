#include "files/cp1251.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Cp1251, CyrillicAlphabetMapsToItsCodePageRange) {
    const std::string upper = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
    const std::string lower = "абвгдежзийклмнопрстуфхцчшщъыьэюя";
    const std::string bytes = Utf8ToCp1251(upper + lower);
    ASSERT_EQ(bytes.size(), 64u);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(static_cast<unsigned char>(bytes[i]), 0xC0 + i) << i;
    EXPECT_EQ(Cp1251ToUtf8(bytes), upper + lower);
}

TEST(Cp1251, YoAndNumeroSign) {
    EXPECT_EQ(Utf8ToCp1251("Ёё№"), "\xA8\xB8\xB9");
    EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\xB9"), "Ёё№");
    EXPECT_EQ(Utf8ToCp1251("Отсчёт №1"), "\xCE\xF2\xF1\xF7\xB8\xF2 \xB9"
                                         "1");
}

TEST(Cp1251, LatinRangePassesThroughUnchanged) {
    std::string ascii;
    for (int c = 1; c < 0x80; ++c) ascii += static_cast<char>(c);
    EXPECT_EQ(Utf8ToCp1251(ascii), ascii);
    EXPECT_EQ(Cp1251ToUtf8(ascii), ascii);
}

TEST(Cp1251, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Cp1251, UnmappableAndBrokenTextBecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a中b"), "a?b");    // CJK, three bytes
    EXPECT_EQ(Utf8ToCp1251("x😀y"), "x?y");     // outside the BMP, four bytes
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");      // truncated sequence
    EXPECT_EQ(Utf8ToCp1251("\xFF\x41"), "?A"); // invalid lead byte
    EXPECT_EQ(Utf8ToCp1251("€–—«»"), "\x88\x96\x97\xAB\xBB");
}

} // namespace
} // namespace qv
