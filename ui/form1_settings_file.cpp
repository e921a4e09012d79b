// Reading and writing the settings file.
#include "files/settings_file.h"
#include "ui/form1_main.h"
#include "ui/shared_view.h"

#include <QAction>

namespace qv {

void TForm1::LoadSettings() {
    const SettingsValues values = qv::LoadSettings(services_.settingsPath.toStdString());
    view_.SetSettings(values.display);
    N3S1->setChecked(values.Preset);
    N1GGTE1->setChecked(values.Engine1GGTE);
    N1JZGTE1->setChecked(values.Engine1JZGTE);
    N14->setChecked(values.DtrHigh);
    N24->setChecked(values.InvertedAdapter);
    N27->setChecked(values.ReducedCpu);
    state_.ReducedCpu = values.ReducedCpu;
    for (int k = 0; k < 6; ++k) state_.SeriesColours[k] = std::uint32_t(values.SeriesColours[k]);
    lastPort_ = QString::fromStdString(values.LastPort);
}

bool TForm1::SaveSettings() {
    SettingsValues values;
    values.display = state_.settings;
    values.Preset = N3S1->isChecked();
    values.Engine1GGTE = N1GGTE1->isChecked();
    values.Engine1JZGTE = N1JZGTE1->isChecked();
    values.DtrHigh = N14->isChecked();
    values.InvertedAdapter = N24->isChecked();
    values.ReducedCpu = N27->isChecked();
    for (int k = 0; k < 6; ++k) values.SeriesColours[k] = std::int32_t(state_.SeriesColours[k]);
    values.LastPort = lastPort_.toStdString();
    const FileStatus status = qv::SaveSettings(services_.settingsPath.toStdString(), values);
    if (status.ok()) return true;
    services_.dialogs->Message(this, QString::fromStdString(status.message));
    return false;
}

} // namespace qv
