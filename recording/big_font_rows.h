#pragma once

#include "recording/recording_store.h"

#include <array>
#include <cstdint>
#include <string>

namespace qv {

// The big-font window's rows: ten parameters and twelve named flags, 32 pixels apart from top 48.
constexpr int BigFontParameterRows = 10;
constexpr int BigFontFlagRows = 12;
constexpr int BigFontFirstRowTop = 48;
constexpr int BigFontRowPitch = 32;
// Row 1..12 -> its top in client pixels.
constexpr int BigFontRowTop(int row) {
    return BigFontFirstRowTop + BigFontRowPitch * (row - 1);
}

// Text colours as 0xRRGGBB.
constexpr std::uint32_t BigFontBlue = 0x0000FF;
constexpr std::uint32_t BigFontGreen = 0x008000;
constexpr std::uint32_t BigFontRed = 0xFF0000;

// Row k (0..9) shows parameter k + 1 (panel value line k + 1) under its big-font caption
// (BigFontCaptionOf); its name and value label share a colour, blue, green and red in turn.
std::uint32_t BigFontParameterColour(int k);

// Row k (0..11) shows named flag k (the panel's rows 11..22, same order) under its
// bigFontCaption; these are the twelve flag bits of a frame in the rows' order.
std::array<bool, BigFontFlagRows> BigFontFlagBits(const FrameRow& row);

// The flag pictures: 41 x 25, digit at 16,3.
constexpr int FlagPictureWidth = 41;
constexpr int FlagPictureHeight = 25;
constexpr int FlagPictureTextX = 16;
constexpr int FlagPictureTextY = 3;
constexpr std::uint32_t FlagSetColour = 0x00FF00;   // lime
constexpr std::uint32_t FlagClearColour = 0xFF0000; // red

} // namespace qv
