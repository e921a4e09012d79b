#include "ui/live_drawing.h"

#include <QMouseEvent>
#include <QPainter>

namespace qv {

LiveDrawing::LiveDrawing(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus); // the arrows move the frame when the drawing has the focus
}

void LiveDrawing::paintEvent(QPaintEvent*) {
    emit aboutToPaint();
    QPainter painter(this);
    if (picture_ && !picture_->isNull())
        painter.drawImage(0, 0, *picture_);
    else
        painter.fillRect(rect(), Qt::white);
}

void LiveDrawing::resizeEvent(QResizeEvent*) {
    emit resized();
}

void LiveDrawing::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() == Qt::LeftButton) emit clicked(event->position().toPoint().x());
}

} // namespace qv
