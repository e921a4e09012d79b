#include "ui/form4_help.h"
#include "ui/window_basics.h"

namespace qv {

TForm4::TForm4(QWidget* parent) : QWidget(parent) {
    SetUpFixedWindow(this, QStringLiteral("Помощь"), 606, 529, 269, 79);
    hide();
}

} // namespace qv
