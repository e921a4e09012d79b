#pragma once

#include <QImage>
#include <QWidget>

namespace qv {

// The live graph window's drawing area: shows the window's picture one to one. It asks for the
// picture just before it paints, so that nothing is drawn while it cannot be seen, and tells the
// window of its size and of clicks.
class LiveDrawing : public QWidget {
    Q_OBJECT
public:
    explicit LiveDrawing(QWidget* parent = nullptr);

    // The picture to show; the caller keeps it up to date when aboutToPaint comes.
    void SetPicture(const QImage* picture) { picture_ = picture; }

signals:
    void aboutToPaint();
    void resized();
    void clicked(int x);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const QImage* picture_ = nullptr;
};

} // namespace qv
