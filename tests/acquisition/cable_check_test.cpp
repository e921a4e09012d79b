#include "acquisition/cable_check.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(CableCheck, AnyLineOnShowsOne) {
    EXPECT_EQ(CableCheckDigit(0), "0");
    for (std::uint32_t word : {0x10u, 0x20u, 0x40u, 0x80u, 0xF0u, 0x80000000u})
        EXPECT_EQ(CableCheckDigit(word), "1") << word;
}

TEST(CableCheck, InstructionHasSevenLinesAroundOneGap) {
    const std::array<const char*, 8>& lines = CableCheckInstructions();
    EXPECT_STREQ(lines[0], "На подключёном кабеле");
    EXPECT_STREQ(lines[3], "подключен к Vf1.");
    EXPECT_STREQ(lines[4], "");
    EXPECT_STREQ(lines[7], "инверсии, если 0 - то с инверсией.");
}

} // namespace
} // namespace qv
