#pragma once

#include <QPushButton>

namespace qv {

// A push button that also reports which mouse button was pressed on it (the frame markers and
// the sample buttons act on the right and middle buttons too).
class MouseButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

signals:
    void mouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace qv
