// Curves are drawn pixel by pixel (DrawWideLine) rather than stroked by the painter, which costs
// many times more for a long span; the painter draws the texts and the straight parts.
#include "ui/render/live_picture.h"
#include "ui/render/wide_line.h"

#include <QFontMetrics>
#include <QPainter>

namespace qv {
namespace {

constexpr QRgb FrameColour = 0xFF808080;
constexpr QRgb GridColour = 0xFFDDDDDD;
constexpr QRgb LaneColour = 0xFFF0F0F0;
constexpr QRgb LaneSetColour = 0xFF4C6A92;
constexpr QRgb FaultColour = 0xFFCC0000;
constexpr QRgb GapColour = 0xFFE69F00;
constexpr QRgb HintColour = 0xFFA00000;

QColor Rgb(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb | 0xFF000000u));
}

void Text(QPainter& painter, const LiveText& text, int ascent) {
    if (!text.text.empty())
        painter.drawText(text.at.x, text.at.y + ascent, QString::fromStdString(text.text));
}

// A small triangle pointing up at the axis, under column x.
void Mark(QPainter& painter, int x, int axisY, QRgb colour) {
    const QPoint corners[3] = {{x, axisY + 1},
                               {x - LiveMarkSize / 2 - 1, axisY + LiveMarkSize + 1},
                               {x + LiveMarkSize / 2 + 1, axisY + LiveMarkSize + 1}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(colour));
    painter.drawPolygon(corners, 3);
}

} // namespace

TextWidth TextWidthIn(const QFont& font) {
    return [metrics = QFontMetrics(font)](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromStdString(text));
    };
}

void DrawLiveScene(QImage& image, const LiveScene& scene, const QFont& font, const QFont& bold) {
    image.fill(Qt::white);
    const PlotArea& plot = scene.plot;
    QPainter painter(&image);
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent();

    painter.setPen(QColor::fromRgb(GridColour));
    for (int quarter = 1; quarter < 4; ++quarter) {
        const int y = plot.top + quarter * (plot.height - 1) / 4;
        painter.drawLine(plot.left, y, plot.Right(), y);
    }
    painter.setPen(QColor::fromRgb(FrameColour));
    painter.drawRect(plot.left - 1, plot.top - 1, plot.width + 1, plot.height + 1);

    for (const LiveLaneView& lane : scene.lanes) {
        painter.fillRect(plot.left, lane.top, plot.width, lane.height, QColor::fromRgb(LaneColour));
        for (const LaneRun& run : lane.runs)
            painter.fillRect(run.from, lane.top + 2, run.to - run.from + 1, lane.height - 4,
                             QColor::fromRgb(LaneSetColour));
    }

    // The axis with its ticks, then the health's marks on it.
    painter.setPen(QColor::fromRgb(FrameColour));
    painter.drawLine(plot.left, scene.axisY, plot.Right(), scene.axisY);
    for (const AxisTick& tick : scene.ticks)
        painter.drawLine(tick.x, scene.axisY, tick.x, scene.axisY + LiveTickLength);
    for (const LiveMarkView& mark : scene.marks)
        Mark(painter, mark.x, scene.axisY, mark.faulty ? FaultColour : GapColour);

    painter.end();
    for (const LiveSeriesView& series : scene.series) {
        const QRgb colour = Rgb(series.rgb).rgb();
        const std::vector<LivePoint>& points = series.points;
        for (std::size_t q = 0; q + 1 < points.size(); ++q)
            DrawWideLine(image, points[q].x, points[q].y, points[q + 1].x, points[q + 1].y, colour);
        if (points.size() == 1)
            DrawWideLine(image, points[0].x, points[0].y, points[0].x, points[0].y, colour);
    }
    painter.begin(&image);
    painter.setFont(font);

    if (scene.cursorX >= 0) {
        const int bottom = scene.lanes.empty() ? plot.Bottom()
                                               : scene.lanes.back().top + scene.lanes.back().height;
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawLine(scene.cursorX, plot.top, scene.cursorX, bottom);
    }

    for (const LiveSeriesView& series : scene.series) {
        painter.fillRect(series.swatch.x, series.swatch.y, scene.swatchSize, scene.swatchSize,
                         Rgb(series.rgb));
        painter.setPen(Rgb(series.rgb));
        Text(painter, series.high, ascent);
        Text(painter, series.low, ascent);
        painter.setPen(Qt::black);
        Text(painter, series.caption, ascent);
        painter.setFont(bold);
        painter.setPen(Rgb(series.rgb));
        Text(painter, series.value, ascent);
        painter.setFont(font);
    }
    painter.setPen(Qt::black);
    for (const LiveLaneView& lane : scene.lanes) {
        Text(painter, lane.caption, ascent);
        Text(painter, lane.value, ascent);
    }
    for (const LiveText& tick : scene.tickTexts) Text(painter, tick, ascent);
    Text(painter, scene.firstEnd, ascent);
    Text(painter, scene.lastEnd, ascent);
    for (std::size_t line = 0; line < scene.health.size(); ++line) {
        painter.setPen(line == 0 ? QColor(Qt::black) : QColor::fromRgb(HintColour));
        Text(painter, scene.health[line], ascent);
    }
}

} // namespace qv
