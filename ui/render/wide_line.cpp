#include "ui/render/wide_line.h"

#include <cstdlib>

namespace qv {
namespace {

class PixelWriter {
public:
    PixelWriter(QImage& image, QRgb colour)
        : bits_(image.bits()), stride_(image.bytesPerLine()), width_(image.width()),
          height_(image.height()), colour_(colour) {}

    void Set(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_)[x] = colour_;
    }

private:
    uchar* bits_;
    qsizetype stride_;
    int width_;
    int height_;
    QRgb colour_;
};

} // namespace

void DrawWideLine(QImage& image, int x1, int y1, int x2, int y2, QRgb colour) {
    const PixelWriter pixels(image, colour);
    const int dx = std::abs(x2 - x1);
    const int dy = std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    const bool shallow = dx >= dy;
    // Bresenham along the longer axis; the error term decides the steps on the shorter one.
    int x = x1;
    int y = y1;
    int error = dx - dy;
    for (;;) {
        pixels.Set(x, y);
        if (shallow)
            pixels.Set(x, y - 1);
        else
            pixels.Set(x - 1, y);
        if (x == x2 && y == y2) break;
        const int twice = 2 * error;
        if (twice > -dy) {
            error -= dy;
            x += sx;
        }
        if (twice < dx) {
            error += dx;
            y += sy;
        }
    }
}

} // namespace qv
