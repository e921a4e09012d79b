// Reading and writing the settings file.
#include "files/settings_file.h"
#include "ui/form1_main.h"

#include <QAction>

namespace qv {

void TForm1::LoadSettings() {
    const SettingsValues values = qv::LoadSettings(services_.settingsPath.toStdString());
    state_.settings.Vozduh = values.Vozduh;
    state_.settings.Temperature = values.Temperature;
    state_.settings.KHH = values.KHH;
    N3S1->setChecked(values.N3S1);
    N1GGTE1->setChecked(values.N1GGTE1);
    N1JZGTE1->setChecked(values.N1JZGTE1);
    N14->setChecked(values.N14);
    N24->setChecked(values.N24);
    N27->setChecked(values.N27);
    state_.ReducedCpu = values.N27;
    for (int k = 0; k < 6; ++k) state_.SeriesColours[k] = std::uint32_t(values.SeriesColours[k]);
}

bool TForm1::SaveSettings() {
    SettingsValues values;
    values.Vozduh = state_.settings.Vozduh;
    values.Temperature = state_.settings.Temperature;
    values.KHH = state_.settings.KHH;
    values.N3S1 = N3S1->isChecked();
    values.N1GGTE1 = N1GGTE1->isChecked();
    values.N1JZGTE1 = N1JZGTE1->isChecked();
    values.N14 = N14->isChecked();
    values.N24 = N24->isChecked();
    values.N27 = N27->isChecked();
    for (int k = 0; k < 6; ++k) values.SeriesColours[k] = std::int32_t(state_.SeriesColours[k]);
    const FileStatus status = qv::SaveSettings(services_.settingsPath.toStdString(), values);
    if (status.ok()) return true;
    services_.dialogs->Message(this, QString::fromStdString(status.message));
    return false;
}

} // namespace qv
