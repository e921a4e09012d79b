#include "recording/line_frame.h"

#include <stdexcept>

namespace qv {

std::uint8_t AssembleByte(const LineFrame& frame, int byteIndex) {
    if (byteIndex < 1 || byteIndex > DataByteCount)
        throw std::out_of_range("byte index " + std::to_string(byteIndex));
    return ByteOfSamples(std::span<const std::uint8_t, SamplesPerByte>(
        frame.DataSamples.data() + (byteIndex - 1) * SamplesPerByte, SamplesPerByte));
}

std::uint8_t ByteOfSamples(std::span<const std::uint8_t, SamplesPerByte> samples) {
    std::uint8_t value = 0;
    for (int k = 0; k < SamplesPerByte; ++k)
        if (samples[static_cast<std::size_t>(k)] != 0) value |= static_cast<std::uint8_t>(1u << k);
    return value;
}

std::string SamplesText(std::span<const std::uint8_t> samples) {
    std::string text;
    for (const std::uint8_t sample : samples) text += sample != 0 ? '1' : '0';
    return text;
}

} // namespace qv
