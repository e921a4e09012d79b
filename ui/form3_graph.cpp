// The graph window: showing and closing it, its drawing, and the frame on screen it shares.
#include "ui/form3_graph.h"
#include "recording/graph_span.h"
#include "ui/graph_image.h"
#include "ui/shared_view.h"
#include "ui/window_basics.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QShowEvent>
#include <QSlider>

namespace qv {

TForm3::TForm3(const WindowParts& parts)
    : state_(parts.state), view_(parts.view), dialogs_(parts.services.dialogs) {
    SetUpFixedWindow(this, QStringLiteral("Граф 5"), 734, 344, 404, 136);
    SpeedButtonColour.fill(Qt::black);
    BuildControls();
    ConnectHandlers();
    FormCreate();
}

TForm3::~TForm3() = default;

// --- The frame on screen ----------------------------------------------------------------------

int TForm3::MainFrame() const {
    return view_.Frame();
}

int TForm3::MainLength() const {
    return view_.Length();
}

void TForm3::SetMainFrame(int frame) {
    // A hidden graph window never moves the frame the user is looking at.
    if (holdMainFrame_ > 0 || !isVisible()) return;
    view_.SetFrame(frame);
}

int TForm3::SpanStart() const {
    return ScrollBar1->value();
}

int TForm3::Cursor() const {
    return TrackBar1->value();
}

// --- Creation, showing, closing ----------------------------------------------------------------

void TForm3::FormCreate() {
    hide();
    ApplySeriesColours();
    renderer_ = std::make_unique<GraphRenderer>();
}

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TForm3::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}

void TForm3::FormShow() {
    {
        const MainFrameHold hold(holdMainFrame_);
        for (int n = 1; n <= GraphSeriesCount; ++n)
            SpeedButtonColour[n] =
                ColourFromWindows(static_cast<std::int32_t>(state_.SeriesColours[n - 1]));
        ApplySeriesColours();
        const int length = MainLength();
        GraphSpan = length;
        ComboBox[8]->setEditText(QString::number(length));
        TrackBar1->setRange(0, length - 1);
        TrackBar1->setValue(HalfUp(length));
        RedrawGraph(1);
        ScrollBar1->setRange(1, length - GraphSpan + 1);
        ScrollBar1->setValue(1);
        RebuildSpanList(length);
    }
    // The main window shows the cursor frame from the start, whether or not a position moved.
    SetMainFrame(SpanStart() + Cursor());
}

void TForm3::FormClose() {
    view_.ClearSeries();
    for (int n = 1; n <= GraphSeriesCount; ++n) {
        ComboBox[n]->setCurrentIndex(-1);
        ComboBox[n]->setEditText(QString());
    }
}

void TForm3::RestartOnRecording() {
    close();
    show();
}

void TForm3::ReleasePictures() {
    renderer_.reset();
}

// --- Drawing -----------------------------------------------------------------------------------

void TForm3::RedrawGraph(int first) {
    setWindowTitle(GraphCaption(SpanStart(), GraphSpan));
    if (!renderer_) return;
    labels_ = RedrawPicture(*renderer_, state_.store, {first, GraphSpan, Cursor()}, Choices(),
                            state_.settings, DecimalSeparator());
    SetSeriesLabels();
    ShowPicture();
    SetLabelText(Label[1], QString::number(first + Cursor()));
}

void TForm3::SetSeriesLabels() {
    for (int n = 1; n <= GraphSeriesCount; ++n) {
        const SeriesTexts& labels = labels_[static_cast<std::size_t>(n - 1)];
        SetLabelText(Label[n + 8], labels.value);
        SetLabelText(Label[n + 14], labels.top);
        SetLabelText(Label[n + 20], labels.mid);
        SetLabelText(Label[n + 26], labels.bottom);
        for (const int label : {n + 8, n + 14, n + 20, n + 26})
            Label[label]->setVisible(labels.visible);
    }
}

void TForm3::ShowPicture() {
    if (renderer_) Image1->SetPicture(renderer_->GraphBitmap());
}

const QImage& TForm3::GraphBitmap() const {
    static const QImage none;
    return renderer_ ? renderer_->GraphBitmap() : none;
}

} // namespace qv
