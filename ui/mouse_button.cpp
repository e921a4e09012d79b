#include "ui/mouse_button.h"

#include <QMouseEvent>

namespace qv {

void MouseButton::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button());
    QPushButton::mousePressEvent(event);
}

} // namespace qv
