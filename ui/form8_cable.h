#pragma once

#include <QWidget>

namespace qv {

// The cable polarity check window (check to come).
class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

signals:
    // The window was closed; the main window comes back.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace qv
