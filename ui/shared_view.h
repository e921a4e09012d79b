#pragma once

#include "recording/display_settings.h"
#include "ui/render/graph_picture.h"

#include <QObject>
#include <QString>

#include <array>

namespace qv {

// What one of the graph's six series draws: on when its list shows a text, row k of the series
// table (-1 for a text that names no row).
struct SeriesPick {
    bool on = false;
    int row = -1;
    bool operator==(const SeriesPick&) const = default;
};
using SeriesPicks = std::array<SeriesPick, GraphSeriesCount>;

// What the windows show in common: the recording's length, the frame on screen, the graph's
// choice of series, the display settings, the information text and whether reading or playback
// runs. The program
// owns one; each window shows it in its own controls and changes it only through here, so no
// window writes another window's controls. Like the controls it stands for, it notifies only
// on a real change.
class SharedView : public QObject {
    Q_OBJECT
public:
    // The display settings are kept where the core reads them (the program state); the view
    // is their one writer in the windows.
    explicit SharedView(DisplaySettings& settings) : settings_(settings) {}

    int Length() const { return length_; }
    int Frame() const { return frame_; }
    // The recording now holds `length` frames (at least one). A frame beyond the new end moves
    // to it: lengthChanged comes first, then frameChanged.
    void SetLength(int length);
    // Shows `frame`, kept within 1..Length().
    void SetFrame(int frame);
    // The recording's frames changed: one was committed or deleted, or a recording was loaded
    // (its length set first). Windows that show the whole recording follow.
    void RecordingChanged() { emit recordingChanged(); }

    const SeriesPicks& Series() const { return series_; }
    void SetSeries(int n, SeriesPick pick); // n = 1..6
    void ClearSeries();

    // The units and dependences values are shown in; every window showing values follows.
    const DisplaySettings& Settings() const { return settings_; }
    void SetSettings(const DisplaySettings& settings);

    const QString& Info() const { return info_; }
    void SetInfo(const QString& text);

    bool Reading() const { return reading_; }
    void SetReading(bool reading);
    bool Playing() const { return playing_; }
    void SetPlaying(bool playing);

signals:
    void lengthChanged(int length);
    void frameChanged(int frame);
    void settingsChanged();
    void infoChanged(const QString& text);
    void readingChanged(bool reading);
    void playingChanged(bool playing);
    void recordingChanged();

private:
    DisplaySettings& settings_;
    int length_ = 1;
    int frame_ = 1;
    SeriesPicks series_{};
    QString info_ = QStringLiteral("Информационное поле");
    bool reading_ = false;
    bool playing_ = false;
};

// The captions of the start/stop and play buttons, in every window that has one.
QString StartCaption(bool reading);
QString PlayCaption(bool playing);

} // namespace qv
