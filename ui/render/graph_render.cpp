// Drawing of the graph picture. Lines are drawn without antialiasing so that every pixel is
// either the background, the grid, a curve colour or the cursor, and a column saved under the
// cursor can be painted back exactly.
#include "ui/render/graph_render.h"
#include "ui/render/wide_line.h"

#include <QPainter>
#include <QPen>

namespace qv {
namespace {

constexpr int GridEndX = GraphMaxX - 2;   // grid lines cover x 0..598
constexpr int CursorEndY = GraphMaxY - 2; // the cursor line covers rows 0..198

QPen ThinPen(Qt::PenStyle style) {
    QPen pen(Qt::black, 1, style, Qt::FlatCap);
    pen.setCosmetic(true);
    return pen;
}

// A line from (x1, y1) to (x2, y2), both end pixels included.
void DrawClosedLine(QPainter& painter, int x1, int y1, int x2, int y2) {
    // A flat-capped one-pixel line leaves its last pixel out; one step further includes it.
    const int dx = (x2 > x1) - (x2 < x1);
    const int dy = (y2 > y1) - (y2 < y1);
    painter.drawLine(x1, y1, x2 + dx, y2 + dy);
}

} // namespace

GraphRenderer::GraphRenderer() : bitmap_(GraphWidth, GraphHeight, QImage::Format_RGB32) {
    bitmap_.fill(Qt::white);
}

void GraphRenderer::ClearGraph() {
    bitmap_.fill(Qt::white);
    QPainter painter(&bitmap_);
    painter.setPen(ThinPen(Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    DrawClosedLine(painter, 0, 0, GraphMaxX, 0);
    DrawClosedLine(painter, 0, GraphMaxY, GraphMaxX, GraphMaxY);
    DrawClosedLine(painter, 0, 0, 0, GraphMaxY);
    DrawClosedLine(painter, GraphMaxX, 0, GraphMaxX, GraphMaxY);
    painter.setPen(ThinPen(Qt::DashLine));
    for (const int y : {99, 49, 149}) DrawClosedLine(painter, 0, y, GridEndX, y);
}

std::optional<SeriesScale> GraphRenderer::PlotSeries(const RecordingStore& store, int first,
                                                     int span, int k,
                                                     const DisplaySettings& settings,
                                                     const QColor& colour) {
    const auto scale = SeriesScaleTexts(k, settings);
    if (!scale) return std::nullopt;
    const auto points = SeriesPolyline(store, first, span, k, settings);
    if (!points) return std::nullopt;
    // One segment per pair of neighbouring frames; neighbours share their end points.
    const QRgb rgb = colour.rgb();
    for (std::size_t q = 0; q + 1 < points->size(); ++q) {
        const GraphPoint& from = (*points)[q];
        const GraphPoint& to = (*points)[q + 1];
        DrawWideLine(bitmap_, from.x, from.y, to.x, to.y, rgb);
    }
    return scale;
}

void GraphRenderer::DrawCursor(int span, int c) {
    const auto x = GraphCursorX(span, c);
    if (!x) return;
    saved_.x = *x;
    for (int y = 0; y < GraphHeight; ++y)
        saved_.colours[static_cast<std::size_t>(y)] = bitmap_.pixel(*x, y);
    QPainter painter(&bitmap_);
    painter.setPen(ThinPen(Qt::DashLine));
    DrawClosedLine(painter, *x, 0, *x, CursorEndY);
}

void GraphRenderer::RestoreColumn() {
    for (int y = 0; y < GraphHeight; ++y)
        bitmap_.setPixel(saved_.x, y, saved_.colours[static_cast<std::size_t>(y)]);
}

std::optional<QString> ShowSeriesValue(const RecordingStore& store, int f, int k,
                                       const DisplaySettings& settings,
                                       const std::string& decimalSeparator) {
    if (!RecordingStore::IsValidFrame(f)) return std::nullopt;
    const auto text = SeriesValueText(k, store.Row(f), settings, decimalSeparator);
    if (!text) return std::nullopt;
    return QString::fromStdString(*text);
}

QColor ColourFromWindows(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

std::int32_t WindowsColour(const QColor& colour) {
    const QRgb rgb = colour.rgb();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(qRed(rgb)) |
                                     (static_cast<std::uint32_t>(qGreen(rgb)) << 8) |
                                     (static_cast<std::uint32_t>(qBlue(rgb)) << 16));
}

} // namespace qv
