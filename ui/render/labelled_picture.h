#pragma once

#include "recording/graph_legend.h"
#include "ui/render/graph_picture.h"

#include <QFont>
#include <QImage>

#include <string>
#include <vector>

namespace qv {

// The series of a graph's choices that are on, in order, for its legend.
std::vector<LegendSeries> LegendOf(const SeriesChoices& series);

// The picture to keep of a graph: `plot` on white with its legend above it and the frame numbers
// and times of its span's ends below it (placed by LayOutPicture), the texts in `font`.
QImage LabelledPicture(const QImage& plot, const PictureTexts& texts, const QFont& font);

// The picture as the bytes of a PNG file; empty when it cannot be encoded.
std::string PngBytes(const QImage& image);

} // namespace qv
