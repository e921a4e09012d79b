#pragma once

#include <cstdint>

namespace qv {

// A small deterministic generator (splitmix64): the same seed gives the same sequence on every
// platform. Advances `state` and returns the next number.
inline std::uint64_t SplitMix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace qv
