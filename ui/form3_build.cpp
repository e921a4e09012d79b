// The graph window's controls and the one place that connects them to their handlers.
#include "recording/graph_series.h"
#include "ui/form3_graph.h"
#include "ui/graph_image.h"
#include "ui/shared_view.h"
#include "ui/window_basics.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

namespace qv {

namespace {

constexpr int ComboHeight = 21;

QLabel* MakeLabel(QWidget* parent, int left, int top, const QString& caption, int pixelSize,
                  bool bold = true) {
    auto* label = new QLabel(caption, parent);
    label->setFont(ProgramFont(pixelSize, bold));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QComboBox* MakeList(QWidget* parent, int left, int top, int width, const QFont& font) {
    auto* list = new QComboBox(parent);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr); // a typed text stays as typed
    list->setFont(font);
    list->setGeometry(left, top, width, ComboHeight);
    list->setMaxVisibleItems(SeriesRowCount); // every series row without scrolling
    return list;
}

} // namespace

void TForm3::BuildControls() {
    for (int n = 1; n <= GraphSeriesCount; ++n) {
        const bool left = n <= 3;
        const int row = (n - 1) % 3;
        const int top = 4 + 24 * row;
        auto* button = new QToolButton(this);
        button->setText(QStringLiteral("Цв"));
        button->setFont(ProgramFont(11, true));
        button->setGeometry(left ? 4 : 364, top, 25, 17);
        SpeedButton[n] = button;
        ComboBox[n] = MakeList(this, left ? 32 : 392, top, 209, ProgramFont(11, true));
        Label[n + 8] = MakeLabel(this, left ? 248 : 608, 8 + 24 * row, QStringLiteral("0"), 13);
        Label[n + 14] = MakeLabel(this, 8, 104 + 13 * (n - 1), QStringLiteral("0"), 13);
        Label[n + 20] = MakeLabel(this, 672, 168 + 13 * (n - 1), QStringLiteral("0"), 13);
        Label[n + 26] = MakeLabel(this, 8, 240 + 13 * (n - 1), QStringLiteral("0"), 13);
    }

    QPalette blue = palette();
    blue.setColor(QPalette::ButtonText, Qt::blue);
    Button1 = new QPushButton(QStringLiteral("-1"), this);
    Button1->setGeometry(32, 80, 17, 17);
    Button2 = new QPushButton(QStringLiteral("+1"), this);
    Button2->setGeometry(680, 80, 17, 17);
    for (QPushButton* button : {Button1, Button2}) {
        button->setFont(ProgramFont(11, true));
        button->setPalette(blue);
    }

    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setGeometry(52, 80, 624, 25);
    TrackBar1->setRange(0, 99);
    TrackBar1->setValue(50);
    TrackBar1->setPageStep(1);

    Label[2] = MakeLabel(this, 672, 106, QStringLiteral("Масштаб"), 11);
    ComboBox[8] = MakeList(this, 672, 126, 60, ProgramFont(13, true));
    Label[33] = MakeLabel(this, 680, 268, QStringLiteral("Кадр"), 13);
    Label[1] = MakeLabel(this, 680, 292, QStringLiteral("0"), 16);

    Image1 = new GraphImage(this);
    Image1->setGeometry(64, 112, GraphWidth, GraphHeight);
    // The picture's own menu; Ctrl+C copies the picture wherever the window's focus is, unless
    // the focus is in a list's text, which copies its own text as always.
    SavePicture = new QAction(QStringLiteral("Сохранить картинку…"), this);
    CopyPicture = new QAction(QStringLiteral("Копировать картинку"), this);
    CopyPicture->setShortcut(QKeySequence::Copy);
    CopyPicture->setShortcutContext(Qt::WindowShortcut);
    Image1->setContextMenuPolicy(Qt::ActionsContextMenu);
    Image1->addActions({SavePicture, CopyPicture});

    ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar1->setGeometry(64, 320, 601, 17);
    ScrollBar1->setRange(1, 1);
    ScrollBar1->setValue(1);
    ScrollBar1->setPageStep(20);
    ScrollBar1->setSingleStep(1);
}

void TForm3::ConnectHandlers() {
    // Only the user's changes of a list run its handler; texts set in code do not.
    for (int n = 1; n <= GraphSeriesCount; ++n) {
        connect(ComboBox[n], &QComboBox::textActivated, this, [this, n] { SeriesListChanged(n); });
        connect(ComboBox[n]->lineEdit(), &QLineEdit::textEdited, this,
                [this, n] { SeriesListChanged(n); });
        connect(SpeedButton[n], &QToolButton::clicked, this, [this, n] { SpeedButtonClick(n); });
    }
    connect(ComboBox[8], &QComboBox::textActivated, this, [this] { ComboBox4Change(); });
    connect(ComboBox[8]->lineEdit(), &QLineEdit::textEdited, this, [this] { ComboBox4Change(); });
    connect(ComboBox[8]->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { ShowSpanInForce(); });
    // Positions notify only when they really change, whoever sets them.
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });
    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(SavePicture, &QAction::triggered, this, &TForm3::SavePictureClick);
    connect(CopyPicture, &QAction::triggered, this, &TForm3::CopyPictureClick);
    // The span and cursor follow the frame on screen while reading is stopped; a hidden window
    // waits for its next showing.
    connect(&view_, &SharedView::frameChanged, this, [this] {
        if (isVisible() && !view_.Reading()) FollowSharedFrame();
    });
    // The series lists and scales name the units in force.
    connect(&view_, &SharedView::settingsChanged, this, &TForm3::RefreshGraphLists);
}

} // namespace qv
