#include "ui/render/labelled_picture.h"

#include "recording/picture_layout.h"

#include <QBuffer>
#include <QByteArray>
#include <QFontMetrics>
#include <QPainter>

namespace qv {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QColor FromRgb(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

} // namespace

std::vector<LegendSeries> LegendOf(const SeriesChoices& series) {
    std::vector<LegendSeries> legend;
    for (const SeriesChoice& choice : series)
        if (choice.on) legend.push_back({choice.k, choice.colour.rgb() & 0xFFFFFFu});
    return legend;
}

QImage LabelledPicture(const QImage& plot, const PictureTexts& texts, const QFont& font) {
    const QFontMetrics metrics(font);
    const auto width = [&](const std::string& text) {
        return metrics.horizontalAdvance(Text(text));
    };
    PictureLayoutInput input;
    input.plotWidth = plot.width();
    input.plotHeight = plot.height();
    input.lineHeight = metrics.height();
    for (const LegendEntry& entry : texts.legend) input.legendWidths.push_back(width(entry.text));
    input.firstEndWidths = {width(texts.first.frame), width(texts.first.time)};
    input.lastEndWidths = {width(texts.last.frame), width(texts.last.time)};
    const PictureLayout layout = LayOutPicture(input);

    QImage picture(layout.width, layout.height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawImage(layout.plot.x, layout.plot.y, plot);
    const int ascent = metrics.ascent();
    for (std::size_t n = 0; n < texts.legend.size(); ++n) {
        const PicturePoint swatch = layout.swatches[n], text = layout.legendTexts[n];
        painter.fillRect(swatch.x, swatch.y, layout.swatchSize, layout.swatchSize,
                         FromRgb(texts.legend[n].rgb));
        painter.drawText(text.x, text.y + ascent, Text(texts.legend[n].text));
    }
    const std::array<std::string, 2> first{texts.first.frame, texts.first.time};
    const std::array<std::string, 2> last{texts.last.frame, texts.last.time};
    for (std::size_t line = 0; line < 2; ++line) {
        painter.drawText(layout.firstEnd[line].x, layout.firstEnd[line].y + ascent,
                         Text(first[line]));
        painter.drawText(layout.lastEnd[line].x, layout.lastEnd[line].y + ascent, Text(last[line]));
    }
    return picture;
}

std::string PngBytes(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return png.toStdString();
}

} // namespace qv
