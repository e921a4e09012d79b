#pragma once

#include "app/program_state.h"
#include "files/live_graph_settings.h"
#include "recording/live_scene.h"
#include "ui/render/live_picture.h"
#include "ui/ui_services.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QPushButton;

namespace qv {

class Dialogs;
class LiveDrawing;
class ReadingSession;
class SharedView;

// "Живой график": up to six parameters as curves and any of the twelve flags as lanes over the
// last frames, following every frame while reading and the frame on screen otherwise, with the
// line's health under the time axis. It never starts or stops reading and stays open through
// both. Its choices and size are kept in their own section of the settings file.
class TForm9 : public QWidget {
    Q_OBJECT
public:
    explicit TForm9(const WindowParts& parts);
    ~TForm9() override;
    static constexpr bool StaysOpenForReading = true;

    // --- Operations of the program ------------------------------------------------------------
    // Shows the window (in front when it is open already).
    void Open();
    // The program ends: the choices and size go into the settings file when they changed.
    void SaveChoices();

    // --- Handlers -----------------------------------------------------------------------------
    void SeriesListChange(int n); // SeriesList1..6: the parameter of series n (1..6)
    void DataScaleClick(int n);   // DataScale1..6: "по данным" for series n
    void FlagItemClick(int flag); // FlagItems: a lane for the panel's flag (0..11)
    void SpanListChange();
    void DrawingClick(int x);
    // The picture with its legend and the span's ends: into a PNG file ("Сохранить картинку…")
    // or onto the clipboard ("Копировать картинку", Ctrl+C).
    void SavePictureClick();
    void CopyPictureClick();

    // --- State --------------------------------------------------------------------------------
    const LiveChoices& Choices() const { return choices_; }
    // The drawing as the window shows it, and what it shows.
    const QImage& Picture();
    const LiveScene& Scene();
    QImage LabelledLivePicture();

    // --- Controls -----------------------------------------------------------------------------
    std::array<QComboBox*, LiveSeriesCount> SeriesList{};
    std::array<QCheckBox*, LiveSeriesCount> DataScale{};
    QPushButton* FlagsButton = nullptr; // its menu holds FlagItems
    std::array<QAction*, NamedFlagCount> FlagItems{};
    QComboBox* SpanList = nullptr;
    QPushButton* SaveButton = nullptr;
    QAction* SavePicture = nullptr; // the drawing's context menu
    QAction* CopyPicture = nullptr;
    LiveDrawing* Drawing = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    // The one place that connects the controls, and the shared view, to their handlers.
    void ConnectHandlers();
    // The series lists name the parameters as the panel does under the current settings.
    void FillSeriesLists();
    void ShowChoices();
    // Something the drawing shows has changed; it is drawn again before it is next painted.
    void Changed();
    // Draws the picture anew when something changed since it was last drawn.
    void EnsureDrawn();
    void DrawNow();
    LiveSceneInput SceneInput();
    LiveGraphSettings CurrentSettings() const;

    const ProgramState& state_;
    const ReadingSession& session_;
    SharedView& view_;
    std::shared_ptr<Dialogs> dialogs_;
    QString settingsPath_;
    LiveGraphSettings loaded_;
    LiveChoices choices_;
    int spanEnd_ = 1;
    bool dirty_ = true;
    bool everShown_ = false;
    // Kept from one drawing to the next, so that a frame's redraw allocates little.
    LiveScene scene_;
    std::vector<LiveMark> marks_;
    QImage picture_;
    LiveTexts texts_;  // captions, scales, lanes, axis, health
    LiveTexts values_; // the series' values
};

} // namespace qv
