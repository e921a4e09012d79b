#pragma once

#include <QWidget>

namespace qv {

// The help window (text to come).
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};

} // namespace qv
