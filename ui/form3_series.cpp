// The graph window's six series: their parameter lists and colours.
#include "recording/graph_series.h"
#include "recording/panel.h"
#include "ui/dialogs.h"
#include "ui/form3_graph.h"
#include "ui/shared_view.h"
#include "ui/window_basics.h"

#include <QComboBox>
#include <QLabel>
#include <QToolButton>

namespace qv {

namespace {

// Colours the text of `widget`: the role it really draws its text with (a label on the
// window's button-face background draws with ButtonText, not WindowText) and any further roles.
void SetTextColour(QWidget* widget, const QColor& colour,
                   std::initializer_list<QPalette::ColorRole> roles = {}) {
    QPalette palette = widget->palette();
    palette.setColor(widget->foregroundRole(), colour);
    for (const QPalette::ColorRole role : roles) palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

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

} // namespace qv
