#include "recording/big_font_rows.h"

#include "recording/decoding.h"

#include <array>

namespace qv {

std::uint32_t BigFontParameterColour(int k) {
    constexpr std::array<std::uint32_t, 3> InTurn{BigFontBlue, BigFontGreen, BigFontRed};
    return InTurn[static_cast<std::size_t>(k % 3)];
}

std::array<bool, BigFontFlagRows> BigFontFlagBits(const FrameRow& row) {
    std::array<bool, BigFontFlagRows> bits{};
    for (int k = 0; k < BigFontFlagRows; ++k) {
        const FlagInfo& flag = NamedFlag(k);
        bits[k] = FlagBit(row, flag.byte, flag.bit);
    }
    return bits;
}

} // namespace qv
