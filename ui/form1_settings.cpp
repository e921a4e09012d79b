#include "ui/form1_main.h"

#include <QAction>

namespace qv {

void TForm1::ApplyDisplaySettings() {
    const SettingsMenuChecks checks = DisplaySettingsChecks(state_.settings);
    N16->setChecked(checks.N16);
    N1251->setChecked(checks.N1251);
    N17->setChecked(checks.N17);
    N21->setChecked(checks.N21);
    N22->setChecked(checks.N22);
    MAP2->setChecked(checks.MAP2);
    MAP3->setChecked(checks.MAP3);
    MAF3->setChecked(checks.MAF3);
    MAF31->setChecked(checks.MAF31);
    MAF2->setChecked(checks.MAF2);
    N3S1->setChecked(checks.N3S1);
}

// The ten unit, dependence and sensor items: set the field, redraw, check, refresh the graph.
void TForm1::SetDisplaySetting(int DisplaySettings::*field, int value) {
    state_.settings.*field = value;
    MemoDraw(FramePosition());
    ApplyDisplaySettings();
    RefreshGraphLists();
}

void TForm1::N16Click() {
    SetDisplaySetting(&DisplaySettings::KHH, 1);
}
void TForm1::N1251Click() {
    SetDisplaySetting(&DisplaySettings::KHH, 2);
}
void TForm1::N17Click() {
    SetDisplaySetting(&DisplaySettings::KHH, 3);
}
void TForm1::N21Click() {
    SetDisplaySetting(&DisplaySettings::Temperature, 1);
}
void TForm1::N22Click() {
    SetDisplaySetting(&DisplaySettings::Temperature, 2);
}
void TForm1::MAP2Click() {
    SetDisplaySetting(&DisplaySettings::Vozduh, 1);
}
void TForm1::MAP3Click() {
    SetDisplaySetting(&DisplaySettings::Vozduh, 2);
}
void TForm1::MAF3Click() {
    SetDisplaySetting(&DisplaySettings::Vozduh, 4);
}
void TForm1::MAF31Click() {
    SetDisplaySetting(&DisplaySettings::Vozduh, 3);
}
void TForm1::MAF2Click() {
    SetDisplaySetting(&DisplaySettings::Vozduh, 5);
}

void TForm1::N3S1Click() {
    state_.settings.KHH = 1;
    state_.settings.Vozduh = 1;
    state_.settings.Temperature = 1;
    ApplyDisplaySettings();
    N3S1->setChecked(true);
    MemoDraw(FramePosition());
    RefreshGraphLists();
}

} // namespace qv
