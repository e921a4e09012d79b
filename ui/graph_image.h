#pragma once

#include <QImage>
#include <QWidget>

namespace qv {

// The graph window's Image1: shows a copy of the graph picture one to one.
class GraphImage : public QWidget {
public:
    explicit GraphImage(QWidget* parent = nullptr);

    // Copies the picture in and repaints.
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

} // namespace qv
