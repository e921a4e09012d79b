#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// Reads a text file's lines the tolerant way: a line ends at LF with or without a CR before it,
// a CR not followed by LF is dropped, a byte 0x1A ends the file, and lines may be of any length.
// Past the end every read gives an empty line.
class LineReader {
public:
    explicit LineReader(std::string_view bytes);

    // The next line (raw bytes, without its line end); empty past the end.
    std::string Next();
    // Passes over the next `lines` lines as Next would, without taking their text: a quick way
    // over the blocks of a file that are not wanted.
    void Skip(int lines);
    bool AtEnd() const { return pos_ >= bytes_.size(); }
    // 1-based number of the line that Next() returned last.
    int LineNumber() const { return lineNumber_; }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    int lineNumber_ = 0;
};

} // namespace qv
