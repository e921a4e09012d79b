#include "ui/graph_image.h"

#include <QPainter>

namespace qv {

GraphImage::GraphImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphImage::SetPicture(const QImage& picture) {
    picture_ = picture; // shared until the renderer draws again
    update();
}

void GraphImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(0, 0, picture_);
}

} // namespace qv
