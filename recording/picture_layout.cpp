#include "recording/picture_layout.h"

#include <algorithm>

namespace qv {

PictureLayout LayOutPicture(const PictureLayoutInput& in) {
    PictureLayout out;
    out.swatchSize = std::max(in.lineHeight - 4, 4);
    const auto entryWidth = [&](int textWidth) {
        return out.swatchSize + SwatchTextGap + textWidth;
    };
    // As wide as the plot, the widest legend entry, and both ends of each line under the plot.
    int content = in.plotWidth;
    for (const int width : in.legendWidths) content = std::max(content, entryWidth(width));
    for (std::size_t line = 0; line < 2; ++line)
        content =
            std::max(content, in.firstEndWidths[line] + LegendEntryGap + in.lastEndWidths[line]);
    out.width = content + 2 * PictureMargin;

    int x = PictureMargin, y = PictureMargin;
    for (const int width : in.legendWidths) {
        if (x > PictureMargin && x + entryWidth(width) > PictureMargin + content) {
            x = PictureMargin;
            y += in.lineHeight;
        }
        out.swatches.push_back({x, y + (in.lineHeight - out.swatchSize) / 2});
        out.legendTexts.push_back({x + out.swatchSize + SwatchTextGap, y});
        x += entryWidth(width) + LegendEntryGap;
    }
    if (!in.legendWidths.empty()) y += in.lineHeight + PictureMargin / 2;

    out.plot = {PictureMargin, y};
    const int below = y + in.plotHeight + PictureMargin / 2;
    // The last end's lines end under the plot's right end, or further right where the first
    // end's lines would meet them.
    int rightEdge = PictureMargin + in.plotWidth;
    for (std::size_t line = 0; line < 2; ++line)
        rightEdge = std::max(rightEdge, PictureMargin + in.firstEndWidths[line] + LegendEntryGap +
                                            in.lastEndWidths[line]);
    for (std::size_t line = 0; line < 2; ++line) {
        const int lineY = below + static_cast<int>(line) * in.lineHeight;
        out.firstEnd[line] = {PictureMargin, lineY};
        out.lastEnd[line] = {rightEdge - in.lastEndWidths[line], lineY};
    }
    out.height = below + 2 * in.lineHeight + PictureMargin;
    return out;
}

} // namespace qv
