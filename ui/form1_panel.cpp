#include "ui/form1_main.h"
#include "ui/shared_view.h"
#include "ui/window_basics.h"

#include <QAction>
#include <QLineEdit>

#include <QTextEdit>

namespace qv {

namespace {

QString JoinLines(const PanelColumn& column) {
    QStringList lines;
    lines.reserve(PanelRowCount);
    for (const std::string& line : column) lines << QString::fromStdString(line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

int TForm1::RecordingLength() const {
    return view_.Length();
}

int TForm1::FramePosition() const {
    return view_.Frame();
}

void TForm1::SetInfo(const QString& text) {
    view_.SetInfo(text);
}

void TForm1::SetInfoHint(const QString& more) {
    Edit1->setToolTip(Edit1->toolTip().section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n') + more);
}

void TForm1::MemoDraw(int n) {
    if (!RecordingStore::IsValidFrame(n)) return;
    const PanelLines lines =
        BuildPanel(state_.store, n, RecordingLength(), state_.settings, DecimalSeparator());
    if (isVisible()) {
        SetColumnText(Memo1, JoinLines(lines.labels));
        const QString values = JoinLines(lines.values);
        SetColumnText(Memo2, values);
        shownValues_ = TextLines(values);
    }
    BigFontRefresh(n, lines);
    if (N12->isChecked()) SetColumnText(Memo6, JoinLines(RawBytesColumn(state_.store, n)));
}

void TForm1::ScrollBar1Change() {
    if (view_.Reading()) return;
    MemoDraw(FramePosition());
}

} // namespace qv
