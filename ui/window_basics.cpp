#include "ui/window_basics.h"

namespace qv {

QFont ProgramFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void SetUpFixedWindow(QWidget* window, const QString& caption, int clientWidth, int clientHeight,
                      int left, int top) {
    window->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                           Qt::WindowCloseButtonHint | Qt::WindowTitleHint |
                           Qt::CustomizeWindowHint);
    window->setWindowTitle(caption);
    window->setFixedSize(clientWidth, clientHeight);
    window->move(left, top);
    window->setFont(ProgramFont(11));
    window->setBackgroundRole(QPalette::Button);
    window->setAutoFillBackground(true);
    window->setAttribute(Qt::WA_QuitOnClose, false);
}

} // namespace qv
