#pragma once

#include "acquisition/frame_hand_over.h"
#include "recording/recording_store.h"

#include <string>

namespace qv::cli {

// A frame as the line commands print it: the twelve identifier samples, the twelve data bytes
// and the end flag, "100110011001 215 61 ... 142 0". A committed row prints as the frame it
// was committed from.
std::string FrameLine(const FrameRow& row);
std::string FrameLine(const HandedOverFrame& handed);

} // namespace qv::cli
