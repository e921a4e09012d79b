#pragma once

#include <QImage>

namespace qv {

// A solid, two-pixel-wide, aliased line from (x1, y1) to (x2, y2), both ends included, clipped
// to the image (Format_RGB32). Each pixel of the one-pixel line is doubled towards the top for a
// line that is more wide than tall and towards the left otherwise, which is how the platform's
// painter places a two-pixel pen on whole-pixel coordinates.
//
// The curves are drawn with this rather than with QPainter: the painter strokes every wide
// segment into a path and fills it, which costs 10 to 50 ms for six curves of 2000 noisy frames;
// this costs a fraction of a millisecond and gives the same coverage.
void DrawWideLine(QImage& image, int x1, int y1, int x2, int y2, QRgb colour);

} // namespace qv
