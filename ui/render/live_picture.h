#pragma once

#include "recording/live_scene.h"

#include <QFont>
#include <QImage>

namespace qv {

// The live graph's drawing: the scene painted into `image` (Format_RGB32, the scene's size),
// its texts in `font` and the series' values in `bold`. The window shows the image, and a
// picture of it is made from the same image.
void DrawLiveScene(QImage& image, const LiveScene& scene, const QFont& font, const QFont& bold);

// The width of a text in `font`, as BuildLiveScene measures.
TextWidth TextWidthIn(const QFont& font);

} // namespace qv
