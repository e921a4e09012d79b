#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace qv {

// The program's window font: "MS Sans Serif" at the given pixel height (falls back where the
// family is missing).
QFont ProgramFont(int pixelSize, bool bold = false);

// Makes `window` a fixed dialog-style top-level window with the given caption, client size and
// screen position, the button-face background and the program's 11-pixel font.
void SetUpFixedWindow(QWidget* window, const QString& caption, int clientWidth, int clientHeight,
                      int left, int top);

} // namespace qv
