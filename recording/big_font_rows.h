#pragma once

#include "recording/flag_table.h"
#include "recording/parameter_table.h"
#include "recording/recording_store.h"

#include <array>
#include <cstdint>
#include <string>

namespace qv {

// The big-font window's rows: the parameters and, beside them, the named flags, 32 pixels apart
// from top 48.
constexpr int BigFontParameterRows = ParameterCount;
constexpr int BigFontFlagRows = NamedFlagCount;
constexpr int BigFontFirstRowTop = 48;
constexpr int BigFontRowPitch = 32;
// Row 1, 2, ... -> its top in client pixels.
constexpr int BigFontRowTop(int row) {
    return BigFontFirstRowTop + BigFontRowPitch * (row - 1);
}
// The frame label stands in the last row, left of the flags and below the parameters; the frame
// scroll bar (17 high) below the rows, 8 pixels above the window's bottom edge.
constexpr int BigFontLastRow =
    BigFontParameterRows > BigFontFlagRows ? BigFontParameterRows : BigFontFlagRows;
constexpr int BigFontScrollBarTop = BigFontRowTop(BigFontLastRow + 1) + 16;
constexpr int BigFontClientHeight = BigFontScrollBarTop + 17 + 8;

// Text colours as 0xRRGGBB.
constexpr std::uint32_t BigFontBlue = 0x0000FF;
constexpr std::uint32_t BigFontGreen = 0x008000;
constexpr std::uint32_t BigFontRed = 0xFF0000;

// Row k (0..BigFontParameterRows - 1) shows parameter k + 1 (panel value line k + 1) under its
// big-font caption; its name and value label share a colour, blue, green and red in turn.
std::uint32_t BigFontParameterColour(int k);

// Row k (0..BigFontFlagRows - 1) shows named flag k (the panel's flag rows, same order) under
// its bigFontCaption; these are the named flags' bits of a frame in the rows' order.
std::array<bool, BigFontFlagRows> BigFontFlagBits(const FrameRow& row);

// The flag pictures: 41 x 25, digit at 16,3.
constexpr int FlagPictureWidth = 41;
constexpr int FlagPictureHeight = 25;
constexpr int FlagPictureTextX = 16;
constexpr int FlagPictureTextY = 3;
constexpr std::uint32_t FlagSetColour = 0x00FF00;   // lime
constexpr std::uint32_t FlagClearColour = 0xFF0000; // red

} // namespace qv
