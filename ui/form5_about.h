#pragma once

#include <QWidget>

class QLabel;

namespace qv {

// The About window: the program's name and purpose in five labels.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    // Shows the window (not modal) and brings it to the front when it is open already.
    void Open();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
};

} // namespace qv
