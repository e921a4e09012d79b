#pragma once

#include <array>

namespace qv {

// Left edges and common width of one row of five frame-marker buttons for a main window of
// outer width `outerWidth` (the client width plus 6).
struct MarkerRowLayout {
    std::array<int, 5> lefts{};
    int width = 0;
};
MarkerRowLayout MarkerButtonsLayout(int outerWidth);

} // namespace qv
