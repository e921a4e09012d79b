#pragma once

#include "acquisition/line_recording.h"

#include <string>
#include <string_view>

namespace qv {

// Result of reading a line file: the recording, or an error naming the offending line.
struct LineFileResult {
    bool Ok = false;
    LineRecording Recording;
    int ErrorLine = 0; // 1-based; 0 when the file as a whole is wrong
    std::string Error; // "строка 3: уровень должен быть 0 или 1"
};

// A line file: one level change per line, "<seconds> <level>", seconds a decimal with up to
// nine decimals, level 0 or 1, times strictly ascending; the first line gives the level at
// time 0. Blank lines are allowed; CR LF line ends too.
LineFileResult ParseLineFile(std::string_view text);

} // namespace qv
