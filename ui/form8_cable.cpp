#include "ui/form8_cable.h"
#include "ui/window_basics.h"

#include <QCloseEvent>

namespace qv {

TForm8::TForm8(QWidget* parent) : QWidget(parent) {
    SetUpFixedWindow(this, QStringLiteral("Проверка кабеля на инверсию"), 400, 224, 300, 200);
    hide();
}

void TForm8::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace qv
