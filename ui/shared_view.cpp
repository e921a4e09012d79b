#include "ui/shared_view.h"

#include <algorithm>

namespace qv {

void SharedView::SetLength(int length) {
    length = std::max(length, 1);
    if (length == length_) return;
    length_ = length;
    const int frame = std::min(frame_, length_);
    const bool frameMoved = frame != frame_;
    frame_ = frame; // already in range when the length's observers look
    emit lengthChanged(length_);
    if (frameMoved) emit frameChanged(frame_);
}

void SharedView::SetFrame(int frame) {
    frame = std::clamp(frame, 1, length_);
    if (frame == frame_) return;
    frame_ = frame;
    emit frameChanged(frame_);
}

void SharedView::SetSeries(int n, SeriesPick pick) {
    series_[static_cast<std::size_t>(n - 1)] = pick;
}

void SharedView::ClearSeries() {
    series_.fill(SeriesPick{});
}

void SharedView::SetSettings(const DisplaySettings& settings) {
    if (settings == settings_) return;
    settings_ = settings;
    emit settingsChanged();
}

void SharedView::SetInfo(const QString& text) {
    if (text == info_) return;
    info_ = text;
    emit infoChanged(info_);
}

void SharedView::SetReading(bool reading) {
    if (reading == reading_) return;
    reading_ = reading;
    emit readingChanged(reading_);
}

void SharedView::SetPlaying(bool playing) {
    if (playing == playing_) return;
    playing_ = playing;
    emit playingChanged(playing_);
}

QString StartCaption(bool reading) {
    return reading ? QStringLiteral("Стоп") : QStringLiteral("Читать");
}

QString PlayCaption(bool playing) {
    return playing ? QStringLiteral("#") : QStringLiteral(">");
}

} // namespace qv
