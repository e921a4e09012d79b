#include "cli/frame_line.h"

namespace qv::cli {

std::string FrameLine(const FrameRow& row) {
    std::string line = SamplesText(row.Identifier);
    for (int b = 1; b <= DataByteCount; ++b) line += ' ' + std::to_string(DataByte(row, b));
    line += ' ' + std::to_string(row.EndFlag);
    return line;
}

std::string FrameLine(const HandedOverFrame& handed) {
    return FrameLine(RowOfFrame(handed.Frame, 0.0, handed.EndFlag));
}

} // namespace qv::cli
