#pragma once

#include "ui/render/graph_render.h"

#include <QColor>
#include <QString>

#include <array>

namespace qv {

constexpr int GraphSeriesCount = 6;

// One of the six series as the graph window's controls describe it: on when its list shows a
// text, drawing series row k (the list's selected index, -1 for none) in `colour`.
struct SeriesChoice {
    bool on = false;
    int k = -1;
    QColor colour = Qt::black;
};
using SeriesChoices = std::array<SeriesChoice, GraphSeriesCount>;

// The four labels of a series: the value at the cursor and the top, mid and bottom scale texts.
struct SeriesTexts {
    bool visible = false;
    QString value = QStringLiteral("0");
    QString top = QStringLiteral("0");
    QString mid = QStringLiteral("0");
    QString bottom = QStringLiteral("0");
    bool operator==(const SeriesTexts&) const = default;
};
using SeriesTextSet = std::array<SeriesTexts, GraphSeriesCount>;

// What the window draws: the span of `span` frames from `first`, the cursor at offset `cursor`.
struct GraphFrameSpan {
    int first = 1;
    int span = 2;
    int cursor = 0;
};

// The whole picture: cleared area, the series 1..6 in order (later ones over earlier ones),
// then the cursor. Returns every series' labels; a series that is off is hidden, one that is on
// but has no row keeps "0" everywhere.
SeriesTextSet RedrawPicture(GraphRenderer& renderer, const RecordingStore& store,
                            const GraphFrameSpan& view, const SeriesChoices& series,
                            const DisplaySettings& settings, const std::string& decimalSeparator);

// The cursor alone moves to view.cursor: the old line is erased, the new one drawn, and the
// value texts of the series with a row are updated in `labels` (the others keep theirs).
void MoveCursor(GraphRenderer& renderer, const RecordingStore& store, const GraphFrameSpan& view,
                const SeriesChoices& series, const DisplaySettings& settings,
                const std::string& decimalSeparator, SeriesTextSet& labels);

// The window caption for the span that starts at `start`: "Графики  с S по E кадр".
QString GraphCaption(int start, int span);

} // namespace qv
