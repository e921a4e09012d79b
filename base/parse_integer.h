#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

// A whole text as a 32-bit integer: optional leading blanks, an optional sign, decimal digits
// and nothing after them. Nothing when the text is empty, not an integer or out of range.
std::optional<std::int32_t> ParseInteger(std::string_view text);

} // namespace qv
