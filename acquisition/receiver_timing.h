#pragma once

#include <array>
#include <cstdint>

namespace qv {

// The line's bit period in seconds (8.2 ms).
constexpr double BitPeriodSeconds = 0.0082;

// Every interval of the receiver in counter ticks, computed once from the counter frequency
// f: f × T first, then times the multiple, then rounded as each interval requires.
struct ReceiverIntervals {
    std::int64_t Gap = 0;                        // 13 T, rounded up
    std::array<std::int64_t, 12> HeaderSample{}; // (k + 0.5) T for k = 1..12, rounded up
    // (13.5 T, rounded up): the middle of the header's last cell, where the line is back at 1;
    // byte 1's start edge is looked for from here, so that bits a little short still count.
    std::int64_t HeaderLastCell = 0;
    std::array<std::int64_t, 8> DataSample{}; // (k + 0.5) T for k = 1..8, rounded up
    // The middles of a byte's start bit (0.5 T) and first stop bit (9.5 T), rounded up: where
    // the line's health looks for framing faults.
    std::int64_t StartBit = 0;
    std::int64_t StopBit = 0;
    std::int64_t ByteEnd = 0; // 10 T, nearest, halves to even
    std::int64_t Tail = 0;    // 11.5 T, nearest, halves to even

    static ReceiverIntervals ForFrequency(std::int64_t ticksPerSecond);
};

} // namespace qv
