#include "ui/form11_readings.h"
#include "ui/window_basics.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace qv {

namespace {

constexpr int Margin = 8;
constexpr int RowHeight = 18;
// The comment takes what the other columns, each as wide as its texts, leave.
constexpr std::size_t CommentColumn = 3;
constexpr int TableWidth = 760, TableHeight = 380;
constexpr int ButtonHeight = 25;

bool RightAligned(std::size_t column) {
    return column == 1 || column == 2 || column == 5;
}

} // namespace

TForm11::TForm11(const WindowParts& parts)
    : folder_(parts.services.readingsFolder), dialogs_(parts.services.dialogs) {
    BuildControls();
    ConnectHandlers();
    hide();
}

void TForm11::BuildControls() {
    Label1 = new QLabel(this);
    Label1->setGeometry(Margin, 6, TableWidth, 18);
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);

    StringGrid1 = new QTableWidget(0, static_cast<int>(ReadingColumnCount), this);
    StringGrid1->setGeometry(Margin, 28, TableWidth, TableHeight);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->setWordWrap(false);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(RowHeight);
    QHeaderView* heading = StringGrid1->horizontalHeader();
    heading->setHighlightSections(false);
    QStringList captions;
    for (std::size_t c = 0; c < ReadingColumnCount; ++c) {
        captions << QString::fromUtf8(ReadingColumns[c]);
        heading->setSectionResizeMode(static_cast<int>(c), c == CommentColumn
                                                               ? QHeaderView::Stretch
                                                               : QHeaderView::ResizeToContents);
    }
    StringGrid1->setHorizontalHeaderLabels(captions);

    const int buttonsTop = StringGrid1->geometry().bottom() + 1 + Margin;
    const auto button = [&](const QString& caption, int left, int width) {
        auto* b = new QPushButton(caption, this);
        b->setGeometry(left, buttonsTop, width, ButtonHeight);
        return b;
    };
    Button1 = button(QStringLiteral("&Загрузить"), Margin, 110);
    Button1->setToolTip(QStringLiteral("Загрузить выбранное чтение (Enter, двойной щелчок)"));
    Button3 = button(QStringLiteral("&Другой файл…"), Margin + 118, 110);
    Button3->setToolTip(QStringLiteral("Выбрать файл записи в окне открытия"));
    Button2 = button(QStringLiteral("&Открыть папку"), Margin + TableWidth - 130, 130);
    Button2->setToolTip(QStringLiteral("Показать папку чтений в файловом менеджере"));

    SetUpFixedWindow(this, QStringLiteral("Последние чтения"), Margin + TableWidth + Margin,
                     buttonsTop + ButtonHeight + Margin, 200, 120);
}

void TForm11::ConnectHandlers() {
    connect(StringGrid1, &QTableWidget::cellActivated, this,
            [this](int row, int) { StringGrid1CellActivated(row); });
    connect(Button1, &QPushButton::clicked, this, &TForm11::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm11::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm11::Button3Click);
}

void TForm11::Open() {
    Refresh();
    show();
    raise();
    activateWindow();
    StringGrid1->setFocus();
}

void TForm11::Refresh() {
    rows_ = ReadingRows(ScanReadingsFolder(folder_.toStdString()));
    Label1->setText(QStringLiteral("Папка: ") + folder_ +
                    (rows_.empty() ? QStringLiteral(" (чтений нет)") : QString()));
    Label1->setToolTip(folder_); // whole, however long
    StringGrid1->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < StringGrid1->rowCount(); ++r) {
        const ReadingRow& row = rows_[static_cast<std::size_t>(r)];
        const QString path = QDir::toNativeSeparators(QString::fromStdString(row.path));
        for (std::size_t c = 0; c < ReadingColumnCount; ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(row.cells[c]));
            item->setTextAlignment(Qt::AlignVCenter |
                                   (RightAligned(c) ? Qt::AlignRight : Qt::AlignLeft));
            item->setToolTip(path);
            StringGrid1->setItem(r, static_cast<int>(c), item);
        }
    }
    if (!rows_.empty()) StringGrid1->setCurrentCell(0, 0);
    Button1->setEnabled(!rows_.empty());
    Button2->setEnabled(!folder_.isEmpty());
}

void TForm11::StringGrid1CellActivated(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    const std::string& path = rows_[static_cast<std::size_t>(row)].loadPath;
    if (!path.empty()) emit loadRequested(QDir::toNativeSeparators(QString::fromStdString(path)));
}

void TForm11::Button1Click() {
    StringGrid1CellActivated(StringGrid1->currentRow());
}

void TForm11::Button2Click() {
    QDir().mkpath(folder_); // a first run has no readings yet
    if (!dialogs_->ShowFolder(this, folder_))
        dialogs_->Message(this, QStringLiteral("Не удаётся открыть папку ") + folder_);
}

void TForm11::Button3Click() {
    emit otherFileRequested();
}

} // namespace qv
