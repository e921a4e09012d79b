// The graph window's span: the span list, the span scroll bar, and a deleted frame.
#include "base/parse_integer.h"
#include "recording/graph_span.h"
#include "ui/dialogs.h"
#include "ui/form3_graph.h"

#include <QComboBox>
#include <QScrollBar>
#include <QSlider>

#include <algorithm>

namespace qv {

void TForm3::RebuildSpanList(int length) {
    QComboBox* list = ComboBox[8];
    const QString text = list->currentText();
    list->clear();
    for (const std::string& entry : SpanListEntries(length))
        list->addItem(QString::fromStdString(entry));
    list->setCurrentIndex(-1);
    list->setEditText(text);
}

void TForm3::ComboBox4Change() {
    const int length = MainLength();
    const QString text = ComboBox[8]->currentText();
    const std::optional<int> span = ParseSpan(text.toStdString(), length);
    if (!span) {
        dialogs_->Message(this,
                          QString::fromStdString(SpanRejectedText(text.toStdString(), length)));
        // Everything stays as it was while it still fits the recording; otherwise the span in
        // force, within the length.
        if (GraphSpan < 2 || GraphSpan > length || ScrollBar1->maximum() != length - GraphSpan + 1)
            ApplySpan(std::clamp(GraphSpan, 2, length), true);
        return;
    }
    // A typed number below two may be the start of a longer one ("1" of "100"): it stays as
    // typed until editing ends (ShowSpanInForce).
    ApplySpan(*span, ParseInteger(text.toStdString()).value_or(2) >= 2);
}

void TForm3::ApplySpan(int span, bool showSpan) {
    const int frame = MainFrame();
    const int length = MainLength();
    {
        const MainFrameHold hold(holdMainFrame_);
        GraphSpan = span;
        const int start = CentredSpanStart(frame, GraphSpan, length);
        ScrollBar1->setRange(1, length - GraphSpan + 1);
        ScrollBar1->setValue(start);
        if (showSpan) ComboBox[8]->setEditText(QString::number(GraphSpan));
        ScrollBar1->setPageStep(SpanLargeStep(GraphSpan));
        TrackBar1->setRange(0, GraphSpan - 1);
        TrackBar1->setValue(frame - start);
        setWindowTitle(GraphCaption(SpanStart(), GraphSpan));
        RedrawGraph(start);
    }
    SetMainFrame(SpanStart() + Cursor());
}

void TForm3::ShowSpanInForce() {
    const QString text = ComboBox[8]->currentText();
    if (ParseSpan(text.toStdString(), MainLength()) && text != QString::number(GraphSpan))
        ComboBox[8]->setEditText(QString::number(GraphSpan));
}

void TForm3::ScrollBar1Change() {
    RedrawGraph(SpanStart());
    SetMainFrame(SpanStart() + Cursor());
}

void TForm3::AfterDelete(int oldLength, int newLength) {
    if (newLength < 2) {
        // A single frame leaves no span to draw.
        close();
        return;
    }
    RebuildSpanList(newLength);
    // A span of the whole recording stays the whole recording.
    ApplySpan(std::clamp(GraphSpan == oldLength ? newLength : GraphSpan, 2, newLength), true);
}

} // namespace qv
