#include "ui/render/graph_picture.h"

namespace qv {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

void UpdateValues(const RecordingStore& store, int frame, const SeriesChoices& series,
                  const DisplaySettings& settings, const std::string& decimalSeparator,
                  SeriesTextSet& labels) {
    for (std::size_t n = 0; n < series.size(); ++n) {
        if (!series[n].on) continue;
        if (auto value = ShowSeriesValue(store, frame, series[n].k, settings, decimalSeparator))
            labels[n].value = *value;
    }
}

} // namespace

SeriesTextSet RedrawPicture(GraphRenderer& renderer, const RecordingStore& store,
                            const GraphFrameSpan& view, const SeriesChoices& series,
                            const DisplaySettings& settings, const std::string& decimalSeparator) {
    SeriesTextSet labels;
    renderer.ClearGraph();
    for (std::size_t n = 0; n < series.size(); ++n) {
        const SeriesChoice& choice = series[n];
        if (!choice.on) continue;
        labels[n].visible = true;
        if (const auto scale = renderer.PlotSeries(store, view.first, view.span, choice.k, settings,
                                                   choice.colour)) {
            labels[n].top = Text(scale->top);
            labels[n].mid = Text(scale->mid);
            labels[n].bottom = Text(scale->bottom);
        }
        if (auto value = ShowSeriesValue(store, view.first + view.cursor, choice.k, settings,
                                         decimalSeparator))
            labels[n].value = *value;
    }
    renderer.DrawCursor(view.span, view.cursor);
    return labels;
}

void MoveCursor(GraphRenderer& renderer, const RecordingStore& store, const GraphFrameSpan& view,
                const SeriesChoices& series, const DisplaySettings& settings,
                const std::string& decimalSeparator, SeriesTextSet& labels) {
    renderer.RestoreColumn();
    renderer.DrawCursor(view.span, view.cursor);
    UpdateValues(store, view.first + view.cursor, series, settings, decimalSeparator, labels);
}

QString GraphCaption(int start, int span) {
    return QStringLiteral("Графики  с %1 по %2 кадр").arg(start).arg(start + span - 1);
}

} // namespace qv
