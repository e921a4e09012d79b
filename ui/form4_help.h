#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace qv {

// The help window: the user guide in a read-only text box. Closing only hides it, so it keeps
// its scroll position for the next opening.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Shows the window (not modal) and brings it to the front when it is open already.
    void Open();

    QPlainTextEdit* Memo1 = nullptr;
};

} // namespace qv
