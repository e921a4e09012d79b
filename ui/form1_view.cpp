#include "recording/marker_layout.h"
#include "ui/form1_main.h"
#include "ui/long_lines.h"
#include "ui/mouse_button.h"
#include "ui/shared_view.h"
#include "ui/window_basics.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

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

void TForm1::MemoDraw(int n) {
    if (!RecordingStore::IsValidFrame(n)) return;
    const PanelLines lines =
        BuildPanel(state_.store, n, RecordingLength(), state_.settings, DecimalSeparator());
    if (isVisible()) {
        SetColumnText(Memo1, JoinLines(lines.labels));
        SetColumnText(Memo2, JoinLines(lines.values));
        shownValues_ = lines.values;
    }
    BigFontRefresh(n, lines);
    if (N12->isChecked()) SetColumnText(Memo6, JoinLines(RawBytesColumn(state_.store, n)));
}

void TForm1::ScrollBar1Change() {
    if (state_.StopFlag != 1) return;
    MemoDraw(FramePosition());
}

void TForm1::Button5Click() {
    const int length = RecordingLength();
    const int position = FramePosition();
    if (length == 1) {
        services_.dialogs->Message(
            this, QStringLiteral("Что удалять то собрались? Ничего же не останется ;)"));
        return;
    }
    state_.store.DeleteFrame(position, length);
    view_.SetLength(length - 1);
    MemoDraw(FramePosition());
    GraphAfterDelete(length, length - 1);
}

void TForm1::Button6Click() {
    if (Timer4->isActive()) {
        Timer4->stop();
        view_.SetPlaying(false);
        return;
    }
    if (FramePosition() == RecordingLength()) {
        SetInfo(QStringLiteral("Что проигравать то?"));
        return;
    }
    view_.SetPlaying(true);
    Timer4->start();
}

void TForm1::Timer4Timer() {
    if (FramePosition() == RecordingLength()) {
        Timer4->stop();
        view_.SetPlaying(false);
        return;
    }
    if (GraphPlaybackStep()) return;
    view_.SetFrame(FramePosition() + 1);
}

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

QTextEdit* TForm1::SampleMemo(int column) const {
    return column == 1 ? Memo3 : column == 2 ? Memo4 : Memo5;
}

void TForm1::SampleButtonMouseDown(int column, Qt::MouseButton button) {
    QTextEdit* memo = SampleMemo(column);
    if (button == Qt::RightButton)
        ShowKeptLines(memo, {}, true);
    else if (button == Qt::LeftButton)
        ShowKeptLines(memo, TextLines(JoinLines(shownValues_)), true);
}

void TForm1::N12Click() {
    N12->setChecked(!N12->isChecked());
    QApplication::processEvents();
    ApplyExtraViews();
}

void TForm1::N13Click() {
    N13->setChecked(!N13->isChecked());
    QApplication::processEvents();
    ApplyExtraViews();
}

void TForm1::ApplyExtraViews() {
    const ExtraViewsLayout layout = ExtraViewsFor(N12->isChecked(), N13->isChecked());
    Client->setFixedWidth(layout.windowWidth - FrameAllowance);
    Edit1->resize(layout.infoWidth, Edit1->height());
    ScrollBar1->resize(layout.infoWidth, ScrollBar1->height());
    const std::array<QTextEdit*, 3> memos{Memo3, Memo4, Memo5};
    const std::array<MouseButton*, 3> buttons{Button2, Button3, Button4};
    for (int k = 0; k < 3; ++k) {
        if (layout.sampleLefts) memos[k]->move((*layout.sampleLefts)[k], memos[k]->y());
        if (layout.sampleButtonLefts)
            buttons[k]->move((*layout.sampleButtonLefts)[k], buttons[k]->y());
        memos[k]->setVisible(layout.samplesShown);
        buttons[k]->setVisible(layout.samplesShown);
    }
    Memo6->setVisible(layout.bytesShown);
    Label1->setVisible(layout.bytesShown);
    Label2->setVisible(layout.bytesShown);
    FormResize(); // the client width is set directly, so lay out the markers now too
    MemoDraw(FramePosition());
}

} // namespace qv
