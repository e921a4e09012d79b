#pragma once

#include "recording/display_settings.h"
#include "recording/flag_table.h"
#include "recording/parameter_table.h"
#include "recording/recording_store.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// A value computed exactly from the decimal constants: numerator / denominator (denominator > 0).
struct ExactValue {
    long long num = 0;
    long long den = 1;
};

// The value of a raw byte in a parameter's unit, exactly; nothing for a row without a value.
std::optional<ExactValue> UnitValue(const ParameterUnit& unit, std::uint8_t raw);

// The raw byte of parameter p (1..ParameterCount) in a stored frame.
std::uint8_t ParameterByte(const FrameRow& row, int p);

// The engineering value of parameter p (1..ParameterCount) for raw byte `raw`, exactly; nothing
// for a unit setting outside its listed choices, or p outside 1..ParameterCount.
std::optional<ExactValue> ParameterExact(int p, std::uint8_t raw, const DisplaySettings& settings);

// ParameterExact as a floating value; NaN where that gives nothing.
long double ParameterValue(int p, std::uint8_t raw, const DisplaySettings& settings);

// Fixed-point text: rounded half away from zero to the coarser of P significant digits or D
// decimals, exactly D decimals after `decimalSeparator`, a minus sign only for a nonzero result.
std::string FixedText(ExactValue value, int P, int D, const std::string& decimalSeparator);

// The number of parameter p as the panel shows it, without its unit text; empty for an
// unlisted setting.
std::string ParameterNumberText(int p, std::uint8_t raw, const DisplaySettings& settings,
                                const std::string& decimalSeparator);

// Number and unit of parameter p as the panel shows it; empty for an unlisted setting.
std::string ParameterText(int p, std::uint8_t raw, const DisplaySettings& settings,
                          const std::string& decimalSeparator);
std::string ParameterText(const RecordingStore& store, int n, int p,
                          const DisplaySettings& settings, const std::string& decimalSeparator);

// Bit `bit` (0..7) of data byte `byte` (11 or 12) of the row; false for any other byte or bit.
bool FlagBit(const FrameRow& row, int byte, int bit);
// The word of named flag flagIndex (0..NamedFlagCount - 1) for frame n.
std::string FlagText(const RecordingStore& store, int n, int flagIndex);

// Twelve characters "1"/"0", first identifier sample first.
std::string IdentifierText(const FrameRow& row);

} // namespace qv
