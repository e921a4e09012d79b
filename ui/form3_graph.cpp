// The graph window's handlers: span, cursor, series lists, colours and the coupling with the
// main window's frame.
#include "ui/form3_graph.h"
#include "files/line_reader.h"
#include "recording/graph_series.h"
#include "recording/graph_span.h"
#include "recording/panel.h"
#include "ui/dialogs.h"
#include "ui/graph_image.h"
#include "ui/shared_view.h"
#include "ui/window_basics.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QShowEvent>
#include <QSlider>
#include <QToolButton>

#include <algorithm>

namespace qv {

namespace {

// Holds the main window's frame while an operation moves the span and the cursor in several
// steps; the operation writes the frame once at its end (or the main window is the mover).
class MainFrameHold {
public:
    explicit MainFrameHold(int& counter) : counter_(counter) { ++counter_; }
    ~MainFrameHold() { --counter_; }
    MainFrameHold(const MainFrameHold&) = delete;
    MainFrameHold& operator=(const MainFrameHold&) = delete;

private:
    int& counter_;
};

// Colours the text of `widget`: the role it really draws its text with (a label on the
// window's button-face background draws with ButtonText, not WindowText) and any further roles.
void SetTextColour(QWidget* widget, const QColor& colour,
                   std::initializer_list<QPalette::ColorRole> roles = {}) {
    QPalette palette = widget->palette();
    palette.setColor(widget->foregroundRole(), colour);
    for (const QPalette::ColorRole role : roles) palette.setColor(role, colour);
    widget->setPalette(palette);
}

void SetLabel(QLabel* label, const QString& text) {
    if (label->text() == text) return;
    label->setText(text);
    label->adjustSize();
}

} // namespace

TForm3::TForm3(ProgramState& state, SharedView& view, std::shared_ptr<Dialogs> dialogs,
               QWidget* parent)
    : QWidget(parent), state_(state), view_(view), dialogs_(std::move(dialogs)) {
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

void TForm3::ReleaseBitmap() {
    renderer_.reset();
}

// --- Series lists ------------------------------------------------------------------------------

int TForm3::SelectedRow(int n) const {
    return view_.Series()[static_cast<std::size_t>(n - 1)].row;
}

void TForm3::SeriesListChanged(int n) {
    const QComboBox* list = ComboBox[n];
    const QString text = list->currentText();
    const int current = list->currentIndex();
    const int row = current >= 0 && list->itemText(current) == text
                        ? current
                        : list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    view_.SetSeries(n, {!text.isEmpty(), row});
    ComboBox1Change();
}

SeriesChoices TForm3::Choices() const {
    SeriesChoices series;
    for (int n = 1; n <= GraphSeriesCount; ++n) {
        const SeriesPick& pick = view_.Series()[static_cast<std::size_t>(n - 1)];
        series[n - 1] = {pick.on, pick.row, SpeedButtonColour[n]};
    }
    return series;
}

void TForm3::FillSeriesLists() {
    // The panel's labels depend on the display settings alone, not on the frame.
    const PanelColumn labels =
        BuildPanel(state_.store, 1, 1, state_.settings, DecimalSeparator()).labels;
    view_.ClearSeries();
    for (int n = 1; n <= GraphSeriesCount; ++n) ComboBox[n]->clear();
    for (int row = 1; row <= SeriesRowCount; ++row)
        for (int n = 1; n <= GraphSeriesCount; ++n)
            ComboBox[n]->addItem(QString::fromStdString(labels[row]));
    for (int n = 1; n <= GraphSeriesCount; ++n) {
        ComboBox[n]->setCurrentIndex(-1);
        ComboBox[n]->setEditText(QString());
    }
}

void TForm3::RefreshGraphLists() {
    const SeriesPicks picks = view_.Series();
    FillSeriesLists();
    for (int n = 1; n <= GraphSeriesCount; ++n) {
        const int row = picks[static_cast<std::size_t>(n - 1)].row;
        ComboBox[n]->setCurrentIndex(row);
        if (row < 0) ComboBox[n]->setEditText(QString());
        view_.SetSeries(n, {row >= 0 && !ComboBox[n]->itemText(row).isEmpty(), row});
    }
    ComboBox1Change();
}

void TForm3::ComboBox1Change() {
    RedrawGraph(SpanStart());
    SetMainFrame(SpanStart() + Cursor());
}

// --- Span ----------------------------------------------------------------------------------------

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
        dialogs_->Message(this, QStringLiteral("'%1' is not a valid integer value").arg(text));
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

// --- Cursor ------------------------------------------------------------------------------------

void TForm3::TrackBar1Change() {
    if (!renderer_) return;
    const int frame = SpanStart() + Cursor();
    MoveCursor(*renderer_, state_.store, {SpanStart(), GraphSpan, Cursor()}, Choices(),
               state_.settings, DecimalSeparator(), labels_);
    SetMainFrame(frame);
    for (int n = 1; n <= GraphSeriesCount; ++n)
        SetLabel(Label[n + 8], labels_[static_cast<std::size_t>(n - 1)].value);
    SetLabel(Label[1], QString::number(frame));
    ShowPicture();
}

void TForm3::Button1Click() {
    if (Cursor() > TrackBar1->minimum()) TrackBar1->setValue(Cursor() - 1);
}

void TForm3::Button2Click() {
    if (Cursor() < TrackBar1->maximum()) TrackBar1->setValue(Cursor() + 1);
}

void TForm3::FollowSharedFrame() {
    // The frame on screen moved: it is the one to show, so the span and cursor follow it
    // without writing it back halfway.
    const MainFrameHold hold(holdMainFrame_);
    const int frame = MainFrame();
    if (frame < SpanStart()) ScrollBar1->setValue(frame);
    if (SpanStart() + TrackBar1->maximum() < frame)
        ScrollBar1->setValue(frame - TrackBar1->maximum());
    TrackBar1->setValue(frame - SpanStart());
}

void TForm3::CursorToFrame(int frame) {
    TrackBar1->setValue(frame - SpanStart());
}

void TForm3::PlaybackStep() {
    if (Cursor() == TrackBar1->maximum())
        ScrollBar1->setValue(SpanStart() + 1);
    else
        TrackBar1->setValue(Cursor() + 1);
}

// --- Colours and drawing -----------------------------------------------------------------------

void TForm3::SpeedButtonClick(int n) {
    if (const auto colour = dialogs_->AskColour(this, lastDialogColour_)) {
        lastDialogColour_ = *colour;
        SpeedButtonColour[n] = *colour;
    }
    state_.SeriesColours[n - 1] = static_cast<std::uint32_t>(WindowsColour(SpeedButtonColour[n]));
    ApplySeriesColours();
    RedrawGraph(SpanStart());
}

void TForm3::ApplySeriesColours() {
    for (int n = 1; n <= GraphSeriesCount; ++n) {
        const QColor& colour = SpeedButtonColour[n];
        SetTextColour(SpeedButton[n], colour, {QPalette::ButtonText});
        for (const int label : {n + 8, n + 14, n + 20, n + 26}) SetTextColour(Label[label], colour);
        SetTextColour(ComboBox[n], colour, {QPalette::Text, QPalette::ButtonText});
    }
}

void TForm3::RedrawGraph(int first) {
    setWindowTitle(GraphCaption(SpanStart(), GraphSpan));
    if (!renderer_) return;
    labels_ = RedrawPicture(*renderer_, state_.store, {first, GraphSpan, Cursor()}, Choices(),
                            state_.settings, DecimalSeparator());
    SetSeriesLabels();
    ShowPicture();
    SetLabel(Label[1], QString::number(first + Cursor()));
}

void TForm3::SetSeriesLabels() {
    for (int n = 1; n <= GraphSeriesCount; ++n) {
        const SeriesTexts& labels = labels_[static_cast<std::size_t>(n - 1)];
        SetLabel(Label[n + 8], labels.value);
        SetLabel(Label[n + 14], labels.top);
        SetLabel(Label[n + 20], labels.mid);
        SetLabel(Label[n + 26], labels.bottom);
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
