#pragma once

#include <QWidget>

namespace qv {

// The About window (labels to come).
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
};

} // namespace qv
