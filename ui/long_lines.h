#pragma once

#include <QString>
#include <QStringList>

class QTextEdit;

namespace qv {

// Qt lays out a line in time that grows with the square of its length (one wrapped line of
// 200 000 letters without a blank takes over ten seconds), so the text boxes that show lines
// from a file show each line cut to kShownLineLength characters and no more than
// kShownTextLength characters in all. The lines themselves are kept with the box and saved
// whole.
inline constexpr int kShownLineLength = 5000;
inline constexpr int kShownTextLength = 200000;

// The text a box shows for `lines`: every line, a cut one ending in "…", joined by line breaks;
// `cut` tells whether anything was left out.
struct ShownLines {
    QString text;
    bool cut = false;
};
ShownLines ShownLinesFor(const QStringList& lines);

// Shows `lines` in a text box (with the fixed pitch of SetColumnText when `columnPitch`) and
// keeps them with it. While anything is cut the box is read-only, so that nobody edits a line
// they cannot see whole; otherwise it is as editable as it was made.
void ShowKeptLines(QTextEdit* memo, const QStringList& lines, bool columnPitch);

// The box's lines: the kept ones, exactly as they were given, as long as the box still shows
// what ShowKeptLines put there; otherwise the lines of its text (see TextLines).
QStringList KeptLines(const QTextEdit* memo);

} // namespace qv
