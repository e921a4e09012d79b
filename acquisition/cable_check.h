#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qv {

// The digit that the cable check shows for a modem-status word: "1" for any line on, else "0".
std::string CableCheckDigit(std::uint32_t modemStatus);

// The instruction beside the digit; the empty entry is the gap between the two parts.
const std::array<const char*, 8>& CableCheckInstructions();

// The check's timing in milliseconds: a status read per tick, the digit blank for a moment
// so that each read is visible, the main window back a little after the window closes.
constexpr int CableCheckTickMs = 100;
constexpr int CableCheckBlankMs = 30;
constexpr int CableCheckReturnMs = 500;

} // namespace qv
