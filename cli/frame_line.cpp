#include "cli/frame_line.h"

#include "recording/line_frame.h"

namespace qv::cli {

std::string FrameLine(const HandedOverFrame& handed) {
    std::string line;
    for (std::uint8_t sample : handed.Frame.HeaderSamples) line += sample != 0 ? '1' : '0';
    for (int b = 1; b <= DataByteCount; ++b)
        line += ' ' + std::to_string(AssembleByte(handed.Frame, b));
    line += ' ' + std::to_string(handed.EndFlag);
    return line;
}

} // namespace qv::cli
