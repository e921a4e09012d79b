#pragma once

#include <array>
#include <optional>
#include <string>

namespace qv {

// Nearest integer to num / den (den > 0); a half goes to the even neighbour.
long long RoundHalfEven(long long num, long long den);

// Left edges and common width of one row of five frame-marker buttons for a main window of
// outer width `outerWidth` (the client width plus 6).
struct MarkerRowLayout {
    std::array<int, 5> lefts{};
    int width = 0;
};
MarkerRowLayout MarkerButtonsLayout(int outerWidth);

// The main window's layout for the two extra views: the raw-bytes column and the sample columns.
struct ExtraViewsLayout {
    int windowWidth = 0; // outer width; the client area is 6 pixels narrower
    int infoWidth = 0;   // width of the information field and of the frame scroll bar
    bool samplesShown = false;
    bool bytesShown = false;
    // New left edges of the three sample columns and of their buttons; nothing = unchanged.
    std::optional<std::array<int, 3>> sampleLefts;
    std::optional<std::array<int, 3>> sampleButtonLefts;
};
ExtraViewsLayout ExtraViewsFor(bool bytesView, bool samplesView);

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
