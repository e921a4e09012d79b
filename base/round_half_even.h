#pragma once

namespace qv {

// Nearest integer to num / den (den > 0); a half goes to the even neighbour.
long long RoundHalfEven(long long num, long long den);

} // namespace qv
