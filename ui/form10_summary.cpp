#include "ui/form10_summary.h"
#include "app/program_state.h"
#include "ui/shared_view.h"
#include "ui/window_basics.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <vector>

namespace qv {

namespace {

constexpr int Margin = 8;
constexpr int RowHeight = 18;
constexpr int HeadingHeight = 20;
// Wide enough for the longest label and value texts of every unit.
const std::vector<int> ParameterColumns{176, 92, 44, 92, 44, 92};
const std::vector<int> FlagColumns{236, 56, 60};

int TableWidth(const std::vector<int>& columns) {
    int width = 2; // the frame
    for (const int column : columns) width += column;
    return width;
}

QTableWidget* MakeTable(QWidget* parent, int top, const std::vector<int>& columns, int rows) {
    auto* table = new QTableWidget(rows, static_cast<int>(columns.size()), parent);
    table->setGeometry(Margin, top, TableWidth(columns), 2 + HeadingHeight + rows * RowHeight);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(RowHeight);
    table->horizontalHeader()->setFixedHeight(HeadingHeight);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c)
        table->setColumnWidth(c, columns[static_cast<std::size_t>(c)]);
    return table;
}

QLabel* MakeHeading(QWidget* parent, int top, const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    label->setFont(ProgramFont(11, true));
    label->move(Margin, top);
    label->adjustSize();
    label->setBuddy(buddy);
    return label;
}

// Shows `table` in `grid`: labels at the left, numbers at the right, frames centred. A cell
// that names a frame looks like a link when `frameLinks`.
void ShowTable(QTableWidget* grid, const SummaryTable& table, bool frameLinks) {
    QStringList heading;
    for (const std::string& text : table.heading) heading << QString::fromStdString(text);
    grid->setHorizontalHeaderLabels(heading);
    grid->setRowCount(static_cast<int>(table.rows.size()));
    for (int r = 0; r < grid->rowCount(); ++r) {
        const auto& row = table.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < grid->columnCount() && c < static_cast<int>(row.size()); ++c) {
            const SummaryCell& cell = row[static_cast<std::size_t>(c)];
            QTableWidgetItem* item = grid->item(r, c);
            if (!item) grid->setItem(r, c, item = new QTableWidgetItem);
            item->setText(QString::fromStdString(cell.text));
            item->setTextAlignment(c == 0       ? Qt::AlignLeft | Qt::AlignVCenter
                                   : cell.frame ? Qt::AlignCenter
                                                : Qt::AlignRight | Qt::AlignVCenter);
            const bool link = frameLinks && cell.frame > 0;
            QFont font = grid->font();
            font.setUnderline(link);
            item->setFont(font);
            item->setForeground(grid->palette().brush(link ? QPalette::Link : QPalette::Text));
            item->setToolTip(link ? QStringLiteral("Показать этот кадр") : QString());
        }
    }
}

} // namespace

TForm10::TForm10(const WindowParts& parts) : state_(parts.state), view_(parts.view) {
    BuildControls();
    ConnectHandlers();
    hide();
}

void TForm10::BuildControls() {
    const int width = Margin + TableWidth(ParameterColumns) + Margin;
    Label1 = new QLabel(this);
    Label1->setGeometry(Margin, 6, width - 2 * Margin, 45);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);

    StringGrid1 = MakeTable(this, 72, ParameterColumns, ParameterCount);
    Label2 = MakeHeading(this, 55, QStringLiteral("&Параметры"), StringGrid1);
    const int flagsTop = StringGrid1->geometry().bottom() + 1 + 24;
    StringGrid2 = MakeTable(this, flagsTop, FlagColumns, NamedFlagCount);
    Label3 = MakeHeading(this, flagsTop - 17, QStringLiteral("&Флаги"), StringGrid2);

    const int bottom = StringGrid2->geometry().bottom() + 1;
    Button1 = new QPushButton(QStringLiteral("&Копировать"), this);
    Button1->setToolTip(QStringLiteral("Сводка текстом в буфер обмена (Ctrl+C)"));
    Button1->setGeometry(width - Margin - 100, bottom - 25, 100, 25);

    SetUpFixedWindow(this, QStringLiteral("Сводка"), width, bottom + Margin, 460, 120);
}

void TForm10::ConnectHandlers() {
    connect(StringGrid1, &QTableWidget::cellClicked, this, &TForm10::StringGrid1CellClick);
    connect(StringGrid1, &QTableWidget::cellActivated, this, &TForm10::StringGrid1CellClick);
    connect(Button1, &QPushButton::clicked, this, &TForm10::Button1Click);
    // Ctrl+C copies the whole summary wherever the window's focus is.
    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    addAction(copy);
    connect(copy, &QAction::triggered, this, &TForm10::Button1Click);
    // The frame on screen does not change the summary; the frames, the units and the end of a
    // reading (which makes the frames links) do.
    connect(&view_, &SharedView::recordingChanged, this, &TForm10::Refresh);
    connect(&view_, &SharedView::settingsChanged, this, &TForm10::Refresh);
    connect(&view_, &SharedView::readingChanged, this, &TForm10::Refresh);
}

void TForm10::Open() {
    show();
    raise();
    activateWindow();
}

void TForm10::Refresh() {
    if (!isVisible()) return;
    summary_ =
        SummarizeRecording(state_.store, view_.Length(), view_.Settings(), DecimalSeparator());
    layout_ = LayOutSummary(summary_);
    QStringList lines;
    for (const std::string& line : layout_.length) lines << QString::fromStdString(line);
    Label1->setText(lines.join(QLatin1Char('\n')));
    ShowTable(StringGrid1, layout_.parameters, !view_.Reading());
    ShowTable(StringGrid2, layout_.flags, false);
}

void TForm10::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}

void TForm10::StringGrid1CellClick(int row, int column) {
    // While reading, the main window shows each new frame as it comes.
    if (view_.Reading() || row < 0 || row >= static_cast<int>(layout_.parameters.rows.size()))
        return;
    const auto& cells = layout_.parameters.rows[static_cast<std::size_t>(row)];
    if (column < 0 || column >= static_cast<int>(cells.size())) return;
    if (const int frame = cells[static_cast<std::size_t>(column)].frame; frame > 0)
        view_.SetFrame(frame);
}

void TForm10::Button1Click() {
    QString text;
    for (const std::string& line : SummaryLines(summary_))
        text += QString::fromStdString(line) + QLatin1Char('\n');
    QGuiApplication::clipboard()->setText(text);
}

} // namespace qv
