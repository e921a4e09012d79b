#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace qv {

constexpr int HeaderSampleCount = 12;
constexpr int DataByteCount = 12;
constexpr int SamplesPerByte = 8;
constexpr int DataSampleCount = DataByteCount * SamplesPerByte;

// One frame as the receiver samples it: logical levels, 0 or 1 (any nonzero counts as 1).
struct LineFrame {
    // HeaderSamples[k - 1] is header sample k (1..12).
    std::array<std::uint8_t, HeaderSampleCount> HeaderSamples{};
    // DataSamples[(b - 1) * 8 + (k - 1)] is sample k (1..8) of data byte b (1..12);
    // sample 1 is the byte's least significant bit.
    std::array<std::uint8_t, DataSampleCount> DataSamples{};
};

// Byte byteIndex (1..12) of the frame, least significant bit first; a nonzero sample sets its bit.
std::uint8_t AssembleByte(const LineFrame& frame, int byteIndex);

// Eight samples as a byte, the first its least significant bit; a nonzero sample sets its bit.
std::uint8_t ByteOfSamples(std::span<const std::uint8_t, SamplesPerByte> samples);

// Samples as text, first sample first: "1" for a nonzero sample, "0" for zero.
std::string SamplesText(std::span<const std::uint8_t> samples);

} // namespace qv
