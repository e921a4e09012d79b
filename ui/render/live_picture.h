#pragma once

#include "recording/live_scene.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QStaticText>

#include <string>
#include <unordered_map>

class QPainter;

namespace qv {

// Texts in one font, measured and laid out once and drawn from then on: the live graph draws
// the same captions, words and numbers again with every frame.
class LiveTexts {
public:
    explicit LiveTexts(const QFont& font);
    const QFont& Font() const { return font_; }
    int LineHeight() const { return metrics_.height(); }
    int Width(const std::string& text);
    // The text with its top left at text.at.
    void Draw(QPainter& painter, const LiveText& text);
    // A TextWidth for BuildLiveScene; `this` must outlive it.
    TextWidth Widths() {
        return [this](const std::string& text) { return Width(text); };
    }

private:
    struct Laid {
        QStaticText text;
        int width = 0;
    };
    Laid& Entry(const std::string& text);

    QFont font_;
    QFontMetrics metrics_;
    std::unordered_map<std::string, Laid> laid_;
};

// The live graph's drawing: the scene painted into `image` (Format_RGB32, the scene's size), its
// texts in `texts` and the series' values in `values`. The window shows the image, and a picture
// of it is made from the same image.
void DrawLiveScene(QImage& image, const LiveScene& scene, LiveTexts& texts, LiveTexts& values);

} // namespace qv
