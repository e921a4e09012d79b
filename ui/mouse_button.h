#pragma once

#include <QPushButton>

namespace qv {

// A push button that also reports which mouse button was pressed on it (the frame markers and
// the sample buttons act on the right and middle buttons too). From the keyboard, Space and
// Enter press it as the left button does, and Delete, the menu key and Shift+F10 as the right
// one does.
class MouseButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

signals:
    void mouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace qv
