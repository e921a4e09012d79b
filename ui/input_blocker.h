#pragma once

#include <QObject>

namespace qv {

// While it lives, every window of the program ignores the user's input (mouse, keyboard, wheel,
// touch, context menus, drops); painting, timers and queued calls go on. Used for the pause
// while the program closes, so that nothing can be started that the end would cut short.
class InputBlocker : public QObject {
public:
    InputBlocker();
    ~InputBlocker() override;
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

    static bool IsUserInput(const QEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace qv
