// The ten frame markers: their captions, clicks and layout over the window's width.
#include "recording/marker_buttons.h"
#include "recording/marker_press.h"
#include "ui/form1_main.h"
#include "ui/mouse_button.h"
#include "ui/shared_view.h"

namespace qv {

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize() {
    const MarkerRowLayout row = MarkerButtonsLayout(ClientWidth() + FrameAllowance);
    for (int n = 1; n <= 5; ++n) {
        for (MouseButton* marker : {BitBtn[n - 1], BitBtn[n + 4]})
            marker->setGeometry(row.lefts[n - 1], marker->y(), row.width, marker->height());
    }
}

void TForm1::SetMarker(int index, const std::string& caption) {
    markers_[index - 1] = caption;
    BitBtn[index - 1]->setText(QString::fromStdString(caption));
}

void TForm1::BitBtnMouseDown(int index, Qt::MouseButton button) {
    const std::string& caption = markers_[index - 1];
    const MouseKey key = button == Qt::LeftButton    ? MouseKey::Left
                         : button == Qt::RightButton ? MouseKey::Right
                                                     : MouseKey::Middle;
    const MarkerPress press = PressMarker(key, caption, FramePosition());
    if (press.captionWasInvalid)
        SetInfo(
            QStringLiteral("Метка \"%1\" - не номер кадра").arg(QString::fromStdString(caption)));
    if (press.newCaption) SetMarker(index, *press.newCaption);
    if (press.jumpTo) {
        view_.SetFrame(*press.jumpTo);
        GraphCursorToMainFrame();
    }
}

} // namespace qv
