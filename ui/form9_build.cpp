// The live graph window's controls and the one place that connects them to their handlers.
#include "recording/parameter_table.h"
#include "ui/form9_live.h"
#include "ui/live_drawing.h"
#include "ui/shared_view.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

const QString NoSeries = QStringLiteral("(нет)");

QLabel* BuddyLabel(const QString& caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

void TForm9::BuildControls() {
    auto* controls = new QGridLayout;
    controls->setContentsMargins(6, 6, 6, 0);
    controls->setHorizontalSpacing(4);
    for (int n = 0; n < LiveSeriesCount; ++n) {
        auto* list = new QComboBox(this);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(14);
        list->setMaxVisibleItems(ParameterCount + 1);
        SeriesList[n] = list;
        // One letter for all six: Alt+Д moves from one to the next, Space sets it.
        DataScale[n] = new QCheckBox(QStringLiteral("по &данным"), this);
        DataScale[n]->setToolTip(
            QStringLiteral("Шкала от наименьшего до наибольшего значения в окне; иначе весь "
                           "диапазон параметра"));
        const int row = n / 3, column = 3 * (n % 3);
        controls->addWidget(BuddyLabel(QStringLiteral("Ряд &%1").arg(n + 1), list, this), row,
                            column);
        controls->addWidget(list, row, column + 1);
        controls->addWidget(DataScale[n], row, column + 2);
        controls->setColumnStretch(column + 1, 1);
    }

    // Under the series: the lanes' flags, the span and the picture.
    auto* others = new QHBoxLayout;
    FlagsButton = new QPushButton(QStringLiteral("&Флаги"), this);
    auto* flags = new QMenu(FlagsButton);
    for (int f = 0; f < NamedFlagCount; ++f) {
        FlagItems[f] = flags->addAction(QString::fromUtf8(NamedFlag(f).label));
        FlagItems[f]->setCheckable(true);
    }
    FlagsButton->setMenu(flags);
    others->addWidget(FlagsButton);
    others->addSpacing(12);
    SpanList = new QComboBox(this);
    for (const int frames : LiveSpanChoices)
        SpanList->addItem(QString::fromStdString(LiveSpanText(frames)), frames);
    others->addWidget(BuddyLabel(QStringLiteral("&Кадров:"), SpanList, this));
    others->addWidget(SpanList);
    others->addSpacing(12);
    SaveButton = new QPushButton(QStringLiteral("&Сохранить картинку…"), this);
    others->addWidget(SaveButton);
    others->addStretch(1);
    controls->addLayout(others, 2, 0, 1, 3 * 3);

    Drawing = new LiveDrawing(this);
    SavePicture = new QAction(QStringLiteral("Сохранить картинку…"), this);
    CopyPicture = new QAction(QStringLiteral("Копировать картинку"), this);
    // Ctrl+C copies the picture wherever the window's focus is.
    CopyPicture->setShortcut(QKeySequence::Copy);
    CopyPicture->setShortcutContext(Qt::WindowShortcut);
    Drawing->setContextMenuPolicy(Qt::ActionsContextMenu);
    Drawing->addActions({SavePicture, CopyPicture});
    addAction(CopyPicture);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(controls);
    layout->addWidget(Drawing, 1);
}

void TForm9::FillSeriesLists() {
    for (QComboBox* list : SeriesList) {
        const QSignalBlocker quiet(list);
        const int chosen = list->currentIndex();
        list->clear();
        list->addItem(NoSeries);
        for (int p = 1; p <= ParameterCount; ++p)
            list->addItem(QString::fromUtf8(ParameterUnitOf(p, state_.settings)->label));
        list->setCurrentIndex(std::max(chosen, 0));
    }
}

void TForm9::ConnectHandlers() {
    for (int n = 0; n < LiveSeriesCount; ++n) {
        connect(SeriesList[n], &QComboBox::currentIndexChanged, this,
                [this, n] { SeriesListChange(n + 1); });
        connect(DataScale[n], &QCheckBox::toggled, this, [this, n] { DataScaleClick(n + 1); });
    }
    for (int f = 0; f < NamedFlagCount; ++f)
        connect(FlagItems[f], &QAction::triggered, this, [this, f] { FlagItemClick(f); });
    connect(SpanList, &QComboBox::currentIndexChanged, this, &TForm9::SpanListChange);
    connect(SaveButton, &QPushButton::clicked, this, &TForm9::SavePictureClick);
    connect(SavePicture, &QAction::triggered, this, &TForm9::SavePictureClick);
    connect(CopyPicture, &QAction::triggered, this, &TForm9::CopyPictureClick);
    connect(Drawing, &LiveDrawing::aboutToPaint, this, &TForm9::EnsureDrawn);
    connect(Drawing, &LiveDrawing::resized, this, &TForm9::Changed);
    connect(Drawing, &LiveDrawing::clicked, this, &TForm9::DrawingClick);
    // The drawing follows the recording's frames, the frame on screen, the units, and the start
    // and end of reading (the span's end at the newest frame, or the cursor).
    connect(&view_, &SharedView::recordingChanged, this, &TForm9::Changed);
    connect(&view_, &SharedView::frameChanged, this, &TForm9::Changed);
    connect(&view_, &SharedView::readingChanged, this, &TForm9::Changed);
    connect(&view_, &SharedView::settingsChanged, this, [this] {
        FillSeriesLists();
        Changed();
    });
}

} // namespace qv
