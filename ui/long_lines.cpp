#include "ui/long_lines.h"

#include "ui/window_basics.h"

#include <QTextEdit>
#include <QVariant>

namespace qv {
namespace {

// Properties of a text box: its kept lines, the plain text it showed for them, and whether it
// was made editable.
constexpr const char* kKeptLines = "qvKeptLines";
constexpr const char* kShownText = "qvShownText";
constexpr const char* kEditable = "qvEditable";

} // namespace

ShownLines ShownLinesFor(const QStringList& lines) {
    ShownLines shown;
    qsizetype budget = kShownTextLength;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (budget <= 0) {
            shown.cut = true;
            break;
        }
        const QString& line = lines[i];
        const qsizetype length = std::min<qsizetype>({line.size(), kShownLineLength, budget});
        if (i > 0) shown.text += QLatin1Char('\n');
        shown.text += QStringView(line).left(length);
        if (length < line.size()) {
            shown.text += QChar(0x2026); // …
            shown.cut = true;
        }
        budget -= length + 1;
    }
    return shown;
}

void ShowKeptLines(QTextEdit* memo, const QStringList& lines, bool columnPitch) {
    if (!memo->property(kEditable).isValid()) memo->setProperty(kEditable, !memo->isReadOnly());
    const ShownLines shown = ShownLinesFor(lines);
    if (columnPitch)
        SetColumnText(memo, shown.text);
    else
        memo->setPlainText(shown.text);
    memo->setReadOnly(shown.cut || !memo->property(kEditable).toBool());
    memo->setProperty(kKeptLines, lines);
    memo->setProperty(kShownText, memo->toPlainText());
}

QStringList KeptLines(const QTextEdit* memo) {
    const QString text = memo->toPlainText();
    const QVariant kept = memo->property(kKeptLines);
    if (kept.isValid() && memo->property(kShownText).toString() == text) return kept.toStringList();
    return TextLines(text);
}

} // namespace qv
