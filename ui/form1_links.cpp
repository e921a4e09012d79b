// Every place where the main window reaches the graph, help, About, comment, big-font and
// cable-check windows.
#include "ui/form1_main.h"
#include "ui/form3_graph.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"
#include "ui/form6_comment.h"
#include "ui/form7_bigfont.h"
#include "ui/form8_cable.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

namespace qv {

namespace {

bool Shown(const QWidget* window) {
    return window && window->isVisible();
}

// Panel label lines 1..22: the entries of the graph's parameter lists.
QStringList SeriesLabels(const QTextEdit* labelColumn) {
    const QStringList lines = labelColumn->toPlainText().split(QLatin1Char('\n'));
    return lines.mid(1, 22);
}

} // namespace

void TForm1::CloseWindowsForReading() {
    for (QWidget* window : std::initializer_list<QWidget*>{windows_.form3, windows_.form4,
                                                           windows_.form5, windows_.form6})
        if (window) window->close();
}

void TForm1::BigFontSetStartCaption(const QString& caption) {
    if (windows_.form7) windows_.form7->Button2->setText(caption);
}

void TForm1::BigFontSetPlayCaption(const QString& caption) {
    if (windows_.form7) windows_.form7->Button3->setText(caption);
}

void TForm1::BigFontMirrorInfo(const QString& text) {
    if (windows_.form7) windows_.form7->Edit1->setText(text);
}

void TForm1::BigFontFollowScroll(int position, int maximum) {
    if (!windows_.form7) return;
    QScrollBar* bar = windows_.form7->ScrollBar1;
    bar->setMaximum(maximum);
    bar->setValue(position);
}

void TForm1::BigFontRefresh(const PanelLines& lines, int n) {
    if (Shown(windows_.form7)) windows_.form7->RefreshFromPanel(lines, n, RecordingLength());
}

void TForm1::GraphFollowFrame() {
    if (Shown(windows_.form3)) windows_.form3->FollowMainFrame(FramePosition());
}

void TForm1::GraphAfterDelete(int oldLength, int newLength) {
    if (Shown(windows_.form3)) windows_.form3->AfterDelete(oldLength, newLength);
}

bool TForm1::GraphPlaybackStep() {
    if (!Shown(windows_.form3)) return false;
    windows_.form3->PlaybackStep();
    return true;
}

void TForm1::GraphCursorToMainFrame() {
    if (Shown(windows_.form3)) windows_.form3->CursorToFrame(FramePosition());
}

void TForm1::GraphRestartAfterLoad() {
    if (!Shown(windows_.form3)) return;
    windows_.form3->RestartOnRecording();
    RefreshGraphLists();
}

void TForm1::ShowGraph() {
    if (windows_.form3) windows_.form3->show();
}

void TForm1::FillSeriesLists() {
    if (windows_.form3) windows_.form3->FillSeriesLists(SeriesLabels(Memo1));
}

void TForm1::RefreshGraphLists() {
    if (windows_.form3) windows_.form3->RefreshGraphLists(SeriesLabels(Memo1));
}

void TForm1::ReleasePictures() {
    if (windows_.form3) windows_.form3->ReleaseBitmap();
    if (windows_.form7) windows_.form7->ReleasePictures();
}

void TForm1::AttachWindows(const OtherWindows& windows) {
    windows_ = windows;
    if (windows_.form8) connect(windows_.form8, &TForm8::closed, this, [this] { show(); });
}

} // namespace qv
