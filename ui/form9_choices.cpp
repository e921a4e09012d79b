// The live graph window's choices: the user's changes, and keeping them in the settings file.
#include "ui/form9_live.h"
#include "ui/shared_view.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>

namespace qv {

void TForm9::ShowChoices() {
    for (int n = 0; n < LiveSeriesCount; ++n) {
        const QSignalBlocker quietList(SeriesList[n]), quietScale(DataScale[n]);
        SeriesList[n]->setCurrentIndex(choices_.series[n].p);
        DataScale[n]->setChecked(choices_.series[n].scale == LiveScale::Data);
    }
    for (int f = 0; f < NamedFlagCount; ++f) FlagItems[f]->setChecked(choices_.flags[f]);
    const QSignalBlocker quietSpan(SpanList);
    SpanList->setCurrentIndex(SpanList->findData(choices_.span));
}

void TForm9::SeriesListChange(int n) {
    choices_.series[n - 1].p = std::max(SeriesList[n - 1]->currentIndex(), 0);
    Changed();
}

void TForm9::DataScaleClick(int n) {
    choices_.series[n - 1].scale =
        DataScale[n - 1]->isChecked() ? LiveScale::Data : LiveScale::Full;
    Changed();
}

void TForm9::FlagItemClick(int flag) {
    choices_.flags[flag] = FlagItems[flag]->isChecked();
    Changed();
}

void TForm9::SpanListChange() {
    choices_.span = SpanList->currentData().toInt();
    spanEnd_ = view_.Frame();
    Changed();
}

LiveGraphSettings TForm9::CurrentSettings() const {
    // The size the user gave it in this run, or the one it came with.
    return {choices_, everShown_ ? width() : loaded_.width, everShown_ ? height() : loaded_.height};
}

void TForm9::SaveChoices() {
    const LiveGraphSettings current = CurrentSettings();
    if (current == loaded_) return; // a settings file the window never changed stays as it is
    if (SaveLiveGraphSettings(settingsPath_.toStdString(), current).ok()) loaded_ = current;
}

} // namespace qv
