#pragma once

#include "recording/display_settings.h"
#include "recording/graph_series.h"
#include "recording/recording_store.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <array>
#include <optional>

namespace qv {

constexpr int GraphWidth = GraphMaxX + 1;  // 601
constexpr int GraphHeight = GraphMaxY + 1; // 201

// The pixel column that lay under the cursor line before the line was drawn.
struct SavedColumn {
    int x = 0;
    std::array<QRgb, GraphHeight> colours;
    SavedColumn() { colours.fill(qRgb(0, 0, 0)); }
};

// The graph's off-screen picture and the drawing operations on it. It knows nothing of the
// window: every input comes as an argument, and the pixel positions come from graph_series.h.
class GraphRenderer {
public:
    GraphRenderer();

    const QImage& GraphBitmap() const { return bitmap_; }
    const SavedColumn& Saved() const { return saved_; }

    // White area with a one-pixel black frame and three dashed grid lines (y 99, 49, 149).
    void ClearGraph();

    // The curve of series row k over the `span` frames that begin at `first`, in `colour` with
    // a two-pixel pen. Returns the row's scale texts; nothing (and nothing drawn) when the row
    // does not apply under the settings or the span does not fit the store.
    std::optional<SeriesScale> PlotSeries(const RecordingStore& store, int first, int span, int k,
                                          const DisplaySettings& settings, const QColor& colour);

    // Saves the column under cursor offset c and draws the dashed cursor line there (rows
    // 0..198). Does nothing for a span below 2 or an offset outside the span.
    void DrawCursor(int span, int c);

    // Paints the saved column back, erasing the cursor line drawn last.
    void RestoreColumn();

private:
    QImage bitmap_;
    SavedColumn saved_;
};

// The value text of series row k at frame f; nothing when the row does not apply or f is not a
// frame of the store (the value label then keeps its text).
std::optional<QString> ShowSeriesValue(const RecordingStore& store, int f, int k,
                                       const DisplaySettings& settings,
                                       const std::string& decimalSeparator);

// Series colours are kept as Windows colour values, 0x00BBGGRR (red in the low byte).
QColor ColourFromWindows(std::int32_t value);
std::int32_t WindowsColour(const QColor& colour);

} // namespace qv
