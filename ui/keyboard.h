#pragma once

#include <QString>
#include <QStringList>

class QLineEdit;
class QMenuBar;
class QScrollBar;
class QWidget;

namespace qv {

// What the keyboard does in the windows beyond Qt's own keys.

// The captions of one menu (or of the menu bar) with a mnemonic each: the first letter or digit
// of each caption that no caption before it in the same menu has taken is marked with "&", so
// that Alt with that letter opens the menu or chooses the item. A caption with no free letter
// stays unmarked. The captions read as before; only the marks are added.
QStringList WithMnemonics(const QStringList& captions);

// Gives the menu bar, each of its menus and their submenus their mnemonics.
void GiveMnemonics(QMenuBar* bar);

// Keeps a key pressed with Alt, Ctrl or Meta from becoming text in an editable box (`box` and
// its line edit `edit`): such keys are meant for the menus and shortcuts (Alt+Ф opens "Файл"),
// and a stray letter in the port box would try to open a port of that name. The usual editing
// keys (copy, paste, undo, select all, ...) keep working.
void TypeOnlyPlainKeys(QWidget* box, QLineEdit* edit);

// A frame scroll bar by the keyboard: Tab reaches it; Right and Down go one frame on, Left and
// Up one back, Page Down and Page Up a page on and back, Home and End to the first and the last
// frame.
void MoveByFrameKeys(QScrollBar* bar);

} // namespace qv
