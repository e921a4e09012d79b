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

// A small triangle pointing up at the axis, under column x.
void Mark(QPainter& painter, int x, int axisY, QRgb colour) {
    const QPoint corners[3] = {{x, axisY + 1},
                               {x - LiveMarkSize / 2, axisY + LiveMarkSize},
                               {x + LiveMarkSize / 2, axisY + LiveMarkSize}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(colour));
    painter.drawPolygon(corners, 3);
}

} // namespace

LiveTexts::LiveTexts(const QFont& font) : font_(font), metrics_(font) {}

LiveTexts::Laid& LiveTexts::Entry(const std::string& text) {
    // Values and frame numbers change with the frames: a long run lays out many; start afresh
    // now and then.
    constexpr std::size_t MostKept = 4096;
    if (laid_.size() >= MostKept) laid_.clear();
    const auto [entry, added] = laid_.try_emplace(text);
    if (added) {
        const QString string = QString::fromStdString(text);
        entry->second.text.setText(string);
        entry->second.text.setTextFormat(Qt::PlainText);
        entry->second.text.prepare(QTransform(), font_);
        entry->second.width = metrics_.horizontalAdvance(string);
    }
    return entry->second;
}

int LiveTexts::Width(const std::string& text) {
    return Entry(text).width;
}

void LiveTexts::Draw(QPainter& painter, const LiveText& text) {
    if (text.text.empty()) return;
    painter.setFont(font_);
    painter.drawStaticText(text.at.x, text.at.y, Entry(text.text).text);
}

void DrawLiveScene(QImage& image, const LiveScene& scene, LiveTexts& texts, LiveTexts& values) {
    image.fill(Qt::white);
    const PlotArea& plot = scene.plot;
    QPainter painter(&image);

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
        texts.Draw(painter, series.high);
        texts.Draw(painter, series.low);
        values.Draw(painter, series.value);
        painter.setPen(Qt::black);
        texts.Draw(painter, series.caption);
    }
    painter.setPen(Qt::black);
    for (const LiveLaneView& lane : scene.lanes) {
        texts.Draw(painter, lane.caption);
        texts.Draw(painter, lane.value);
    }
    for (const LiveText& tick : scene.tickTexts) texts.Draw(painter, tick);
    texts.Draw(painter, scene.firstEnd);
    texts.Draw(painter, scene.lastEnd);
    for (std::size_t line = 0; line < scene.health.size(); ++line) {
        painter.setPen(line == 0 ? QColor(Qt::black) : QColor::fromRgb(HintColour));
        texts.Draw(painter, scene.health[line]);
    }
}

} // namespace qv
