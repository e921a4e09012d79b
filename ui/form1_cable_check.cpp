// The cable check, "Проверить кабель на инверсию".
#include "ui/form1_main.h"
#include "ui/other_windows.h"

#include <QComboBox>

namespace qv {

// The cable check (menu "Проверить кабель на инверсию").
void TForm1::N32Click() {
    if (ComboBox1->currentText().isEmpty()) {
        services_.dialogs->Message(this, QStringLiteral("Надо бы порт выбрать"));
        return;
    }
    hide();
    if (TForm8* cable = Other<TForm8>()) cable->Open();
}

} // namespace qv
