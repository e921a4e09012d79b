#pragma once

#include <optional>
#include <string>

namespace qv {

// The frame a marker caption names: a whole decimal number (optional sign), clamped to the int
// range; nothing for any other text.
std::optional<int> MarkerFrameNumber(const std::string& caption);

// What a mouse press on a frame marker does.
enum class MouseKey { Left, Right, Middle };
struct MarkerPress {
    std::optional<std::string> newCaption; // the marker's new caption, if it changes
    std::optional<int> jumpTo;             // the frame to show, if any
    bool captionWasInvalid = false;        // the old caption was no frame number
};
MarkerPress PressMarker(MouseKey key, const std::string& caption, int framePosition);

} // namespace qv
