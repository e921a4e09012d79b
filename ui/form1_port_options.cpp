// The port box and the port options of "Настройки": DTR, the inverting adapter, the reduced CPU
// load.
#include "acquisition/port_choice.h"
#include "ui/form1_main.h"

#include <QAction>
#include <QComboBox>

namespace qv {

void TForm1::ComboBox1Change() {
    const QString name = ComboBox1->currentText();
    if (!ChoosePort(state_.port, name.toStdString()))
        services_.dialogs->Error(this, name, QStringLiteral("Ошибка"));
}

// The port a reading last started from is chosen again, as if picked, when the port list has
// found it; otherwise the box stays empty.
void TForm1::ChooseLastPort() {
    const int index = ComboBox1->findText(lastPort_); // exactly, case and all
    if (lastPort_.isEmpty() || index < 0) return;
    ComboBox1->setCurrentIndex(index);
    ComboBox1Change();
}

void TForm1::N14Click() {
    const bool on = !N14->isChecked();
    // The mark is the user's choice and changes either way; an open port that did not take
    // the new DTR level is reported as a port that cannot be used.
    if (!SetDtr(state_.port, on) && state_.port.IsOpen())
        services_.dialogs->Error(this, QString::fromStdString(state_.port.PortName()),
                                 QStringLiteral("Ошибка"));
    N14->setChecked(on);
}

void TForm1::N24Click() {
    SetReadingStopped(true);
    N24->setChecked(!N24->isChecked());
}

void TForm1::N27Click() {
    N27->setChecked(!N27->isChecked());
    state_.ReducedCpu = N27->isChecked();
}

} // namespace qv
