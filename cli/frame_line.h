#pragma once

#include "acquisition/frame_hand_over.h"

#include <string>

namespace qv::cli {

// A handed-over frame as the line commands print it: the twelve identifier samples, the twelve
// data bytes and the end flag, "100110011001 215 61 ... 142 0".
std::string FrameLine(const HandedOverFrame& handed);

} // namespace qv::cli
