#include "ui/form5_about.h"
#include "ui/window_basics.h"

namespace qv {

TForm5::TForm5(QWidget* parent) : QWidget(parent) {
    SetUpFixedWindow(this, QStringLiteral("О программе"), 363, 186, 445, 101);
    hide();
}

} // namespace qv
