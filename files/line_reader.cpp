#include "files/line_reader.h"

#include <algorithm>
#include <cstring>

namespace qv {

LineReader::LineReader(std::string_view bytes) : bytes_(bytes) {
    const std::size_t end = bytes_.find('\x1A');
    if (end != std::string_view::npos) bytes_ = bytes_.substr(0, end);
}

std::string LineReader::Next() {
    ++lineNumber_;
    std::string line;
    if (AtEnd()) return line;
    std::size_t end = bytes_.find('\n', pos_);
    if (end == std::string_view::npos) end = bytes_.size();
    const std::string_view raw = bytes_.substr(pos_, end - pos_);
    pos_ = end + 1;
    // Every CR inside a line is a CR not followed by LF, or the one before the LF: drop them all.
    if (raw.find('\r') == std::string_view::npos) return std::string(raw);
    line.reserve(raw.size());
    for (char c : raw)
        if (c != '\r') line += c;
    return line;
}

void LineReader::Skip(int lines) {
    // Whole blocks of short lines are counted rather than searched line by line.
    constexpr std::size_t Block = 4096;
    while (lines > 0 && bytes_.size() - pos_ > Block) {
        const char* block = bytes_.data() + pos_;
        const auto ends = static_cast<int>(std::count(block, block + Block, '\n'));
        if (ends >= lines) break;
        lines -= ends;
        lineNumber_ += ends;
        pos_ += Block;
    }
    for (; lines > 0 && !AtEnd(); --lines) {
        ++lineNumber_;
        const std::size_t end = bytes_.find('\n', pos_);
        pos_ = end == std::string_view::npos ? bytes_.size() : end + 1;
    }
    lineNumber_ += lines; // past the end
}

} // namespace qv
