#include "cli/frame_line.h"

namespace qv::cli {
namespace {

int ByteOfBits(const std::array<std::uint8_t, 8>& bits) {
    int value = 0;
    for (int k = 0; k < 8; ++k) value |= (bits[static_cast<std::size_t>(k)] != 0 ? 1 : 0) << k;
    return value;
}

} // namespace

std::string FrameLine(const FrameRow& row) {
    std::string line;
    for (std::uint8_t sample : row.Identifier) line += sample != 0 ? '1' : '0';
    for (std::uint8_t byte : row.Analog) line += ' ' + std::to_string(byte);
    line += ' ' + std::to_string(ByteOfBits(row.Flags11));
    line += ' ' + std::to_string(ByteOfBits(row.Flags12));
    line += ' ' + std::to_string(row.EndFlag);
    return line;
}

std::string FrameLine(const HandedOverFrame& handed) {
    FrameRow row = RowOfFrame(handed.Frame, 0.0);
    row.EndFlag = handed.EndFlag;
    return FrameLine(row);
}

} // namespace qv::cli
