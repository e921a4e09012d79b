#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <string>

class QLabel;
class QTextEdit;

namespace qv {

// The program's window font: "MS Sans Serif" at the given pixel height (falls back where the
// family is missing).
QFont ProgramFont(int pixelSize, bool bold = false);

// The decimal separator of the default locale, as every window shows numbers.
std::string DecimalSeparator();

// Sets a label's text and fits the label to it; the same text again changes nothing.
void SetLabelText(QLabel* label, const QString& text);

// Whether `window` exists and is on screen.
inline bool Shown(const QWidget* window) {
    return window && window->isVisible();
}

// Makes `window` a fixed dialog-style top-level window with the given caption, client size and
// screen position, the button-face background and the program's 11-pixel font.
void SetUpFixedWindow(QWidget* window, const QString& caption, int clientWidth, int clientHeight,
                      int left, int top);

// Sets the text of a panel-style column. The lines keep a fixed pitch so that the 26 panel rows
// fit the column and stand level with the neighbouring columns whatever font is substituted.
void SetColumnText(QTextEdit* memo, const QString& text);
constexpr int PanelLinePitch = 16;

// The lines of a text box as a list: an empty box has none, and an empty last line (the text
// ends with a line break) does not count.
QStringList TextLines(const QString& text);

} // namespace qv
