#include "recording/big_font_rows.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(BigFontRows, FlagBitsFollowTheNamedFlagsInRowOrder) {
    // Row order: 11.0 11.1 11.4 11.5 11.6 12.0 12.1 12.2 12.3 12.4 12.5 12.7.
    const int bytes[12] = {11, 11, 11, 11, 11, 12, 12, 12, 12, 12, 12, 12};
    const int bits[12] = {0, 1, 4, 5, 6, 0, 1, 2, 3, 4, 5, 7};
    for (int k = 0; k < BigFontFlagRows; ++k) {
        FrameRow row;
        (bytes[k] == 11 ? row.Flags11 : row.Flags12)[bits[k]] = 1;
        const std::array<bool, BigFontFlagRows> shown = BigFontFlagBits(row);
        for (int j = 0; j < BigFontFlagRows; ++j) EXPECT_EQ(shown[j], j == k) << k << " " << j;
    }
    // Bits without a row (11.2, 11.3, 11.7, 12.6) show nowhere.
    FrameRow unnamed;
    unnamed.Flags11[2] = unnamed.Flags11[3] = unnamed.Flags11[7] = unnamed.Flags12[6] = 1;
    for (bool bit : BigFontFlagBits(unnamed)) EXPECT_FALSE(bit);
}

} // namespace
} // namespace qv
