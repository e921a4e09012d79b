#include "ui/mouse_button.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace qv {

void MouseButton::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button());
    QPushButton::mousePressEvent(event);
}

void MouseButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->isAutoRepeat()) return QPushButton::keyPressEvent(event);
    if (modifiers == Qt::NoModifier &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter))
        emit mouseDown(Qt::LeftButton);
    else if ((modifiers == Qt::NoModifier && (key == Qt::Key_Delete || key == Qt::Key_Menu)) ||
             (modifiers == Qt::ShiftModifier && key == Qt::Key_F10))
        emit mouseDown(Qt::RightButton);
    else
        return QPushButton::keyPressEvent(event);
    event->accept();
}

} // namespace qv
