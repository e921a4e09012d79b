#pragma once

#include <array>
#include <optional>

namespace qv {

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

} // namespace qv
