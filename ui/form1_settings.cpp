#include "ui/form1_main.h"
#include "ui/shared_view.h"

#include <QAction>

namespace qv {

void TForm1::ApplyDisplaySettings() {
    const SettingsMenuChecks checks = DisplaySettingsChecks(state_.settings);
    N16->setChecked(checks.IdleAirPercentOf255);
    N1251->setChecked(checks.IdleAirPercentOf125);
    N17->setChecked(checks.IdleAirSteps);
    N21->setChecked(checks.CoolantDirect);
    N22->setChecked(checks.CoolantInverse);
    MAP2->setChecked(checks.MapKilopascal);
    MAP3->setChecked(checks.MapMillimetreMercury);
    MAF3->setChecked(checks.MafGramsPerSecond);
    MAF31->setChecked(checks.MafPeriodMs);
    MAF2->setChecked(checks.IntakeVolts);
    N3S1->setChecked(checks.Preset);
}

// The ten unit, dependence and sensor items: set the field (the graph follows the shared
// view), redraw, check.
template <typename Choice>
void TForm1::SetDisplaySetting(Choice DisplaySettings::*field, Choice value) {
    DisplaySettings settings = view_.Settings();
    settings.*field = value;
    view_.SetSettings(settings);
    MemoDraw(FramePosition());
    ApplyDisplaySettings();
}

void TForm1::N16Click() {
    SetDisplaySetting(&DisplaySettings::KHH, IdleAirUnit::PercentOf255);
}
void TForm1::N1251Click() {
    SetDisplaySetting(&DisplaySettings::KHH, IdleAirUnit::PercentOf125);
}
void TForm1::N17Click() {
    SetDisplaySetting(&DisplaySettings::KHH, IdleAirUnit::Steps);
}
void TForm1::N21Click() {
    SetDisplaySetting(&DisplaySettings::Temperature, CoolantDependence::Direct);
}
void TForm1::N22Click() {
    SetDisplaySetting(&DisplaySettings::Temperature, CoolantDependence::Inverse);
}
void TForm1::MAP2Click() {
    SetDisplaySetting(&DisplaySettings::Vozduh, IntakeKind::MapKilopascal);
}
void TForm1::MAP3Click() {
    SetDisplaySetting(&DisplaySettings::Vozduh, IntakeKind::MapMillimetreMercury);
}
void TForm1::MAF3Click() {
    SetDisplaySetting(&DisplaySettings::Vozduh, IntakeKind::MafGramsPerSecond);
}
void TForm1::MAF31Click() {
    SetDisplaySetting(&DisplaySettings::Vozduh, IntakeKind::MafPeriodMs);
}
void TForm1::MAF2Click() {
    SetDisplaySetting(&DisplaySettings::Vozduh, IntakeKind::Volts);
}

void TForm1::N3S1Click() {
    view_.SetSettings(DisplaySettings{});
    ApplyDisplaySettings();
    N3S1->setChecked(true);
    MemoDraw(FramePosition());
}

} // namespace qv
