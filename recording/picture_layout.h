#pragma once

#include <array>
#include <vector>

namespace qv {

// Where the parts of a labelled graph picture go, in pixels from its top left: the legend in
// rows above the plot (each entry a colour square and its text, wrapped at the picture's
// width), the plot, and under its left and right ends the two lines of each end of the span.
// Text sizes come measured from the drawing side; the arithmetic is here.

struct PicturePoint {
    int x = 0;
    int y = 0;
    bool operator==(const PicturePoint&) const = default;
};

struct PictureLayoutInput {
    int plotWidth = 0;
    int plotHeight = 0;
    int lineHeight = 0;                  // one line of text
    std::vector<int> legendWidths;       // each legend text
    std::array<int, 2> firstEndWidths{}; // the two lines under the span's first frame
    std::array<int, 2> lastEndWidths{};  // and under its last
};

struct PictureLayout {
    int width = 0;
    int height = 0;
    PicturePoint plot;
    int swatchSize = 0; // the side of each colour square
    std::vector<PicturePoint> swatches;
    std::vector<PicturePoint> legendTexts; // top left of each text line
    std::array<PicturePoint, 2> firstEnd{}, lastEnd{};
    bool operator==(const PictureLayout&) const = default;
};

// Margins around everything, the gap between legend entries and between a square and its text.
constexpr int PictureMargin = 8;
constexpr int LegendEntryGap = 16;
constexpr int SwatchTextGap = 4;

PictureLayout LayOutPicture(const PictureLayoutInput& input);

} // namespace qv
