#include "ui/form7_bigfont.h"
#include "recording/flag_table.h"
#include "recording/parameter_table.h"
#include "ui/keyboard.h"
#include "ui/shared_view.h"
#include "ui/window_basics.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

namespace qv {

namespace {

constexpr int TextPixels = 24;
constexpr int NameRight = 198; // the name labels' right ends line up here
constexpr int NameWidth = 196;
constexpr int ValueLeft = 210;
constexpr int ValueWidth = 204;
constexpr int ImageLeft = 416;
constexpr int FlagNameLeft = 466;
constexpr int RowHeight = 30;

// The labels are named in order: the parameters' names, their values, the flags' names, then
// the frame label's caption and the frame label.
QString LabelName(int number) {
    return QStringLiteral("Label%1").arg(number);
}

QColor Rgb(std::uint32_t rgb) {
    return QColor(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& place,
                  const QColor& colour, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(ProgramFont(TextPixels, true));
    label->setGeometry(place);
    label->setAlignment(alignment | Qt::AlignTop);
    // On the button-face background a label would draw in the button text colour.
    label->setForegroundRole(QPalette::WindowText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// A 41 x 25 picture: the fill colour inside a one-pixel black outline, the digit in bold.
QImage FlagPicture(const QColor& fill, const QString& digit) {
    QImage picture(FlagPictureWidth, FlagPictureHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill);
    painter.drawRect(0, 0, FlagPictureWidth - 1, FlagPictureHeight - 1);
    QFont font = ProgramFont(16, true); // 12 points at 96 dots per inch
    painter.setFont(font);
    const QFontMetrics metrics(font);
    painter.drawText(FlagPictureTextX, FlagPictureTextY + metrics.ascent(), digit);
    return picture;
}

} // namespace

TForm7::TForm7(const WindowParts& parts) : view_(parts.view) {
    SetUpFixedWindow(this, QStringLiteral("Большой шрифт"), 687, BigFontClientHeight, 198, 99);
    BuildControls();
    ConnectHandlers();
    FormCreate();
    hide();
}

void TForm7::ConnectHandlers() {
    connect(Button2, &QPushButton::clicked, this, &TForm7::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm7::Button3Click);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm7::ScrollBar1Change);
    // The copies of the main window's controls show what the windows share, hidden or not.
    connect(&view_, &SharedView::lengthChanged, ScrollBar1, &QScrollBar::setMaximum);
    connect(&view_, &SharedView::frameChanged, ScrollBar1, &QScrollBar::setValue);
    connect(&view_, &SharedView::infoChanged, Edit1, &QLineEdit::setText);
    connect(&view_, &SharedView::readingChanged, Button2,
            [this](bool reading) { Button2->setText(StartCaption(reading)); });
    connect(&view_, &SharedView::playingChanged, Button3,
            [this](bool playing) { Button3->setText(PlayCaption(playing)); });
}

void TForm7::BuildControls() {
    for (int k = 0; k < BigFontParameterRows; ++k) {
        const int top = BigFontRowTop(k + 1);
        const QColor colour = Rgb(BigFontParameterColour(k));
        NameLabels[k] =
            MakeLabel(this, LabelName(k + 1), QString::fromUtf8(ParameterOf(k + 1).bigFontCaption),
                      {NameRight - NameWidth, top, NameWidth, RowHeight}, colour, Qt::AlignRight);
        ValueLabels[k] =
            MakeLabel(this, LabelName(BigFontParameterRows + k + 1), QStringLiteral("0"),
                      {ValueLeft, top, ValueWidth, RowHeight}, colour);
    }
    for (int k = 0; k < BigFontFlagRows; ++k) {
        const int top = BigFontRowTop(k + 1);
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image%1").arg(k + 1));
        image->setGeometry(ImageLeft, top, FlagPictureWidth, FlagPictureHeight);
        Images[k] = image;
        FlagLabels[k] =
            MakeLabel(this, LabelName(2 * BigFontParameterRows + k + 1),
                      QString::fromUtf8(NamedFlag(k).bigFontCaption),
                      {FlagNameLeft, top, width() - FlagNameLeft, RowHeight}, Qt::black);
    }
    const int frameLabel = 2 * BigFontParameterRows + BigFontFlagRows + 1;
    const int frameTop = BigFontRowTop(BigFontLastRow);
    Label33 = MakeLabel(this, LabelName(frameLabel), QStringLiteral("Кадр:"),
                        {44, frameTop, 78, RowHeight}, Qt::black);
    Label34 = MakeLabel(this, LabelName(frameLabel + 1), QStringLiteral("1/1"),
                        {122, frameTop, 280, RowHeight}, Qt::black);

    Edit1 = new QLineEdit(QStringLiteral("Информационное поле"), this);
    Edit1->setGeometry(8, 8, 505, 28);
    Edit1->setReadOnly(true);
    Edit1->setFont(ProgramFont(16, true));
    Button2 = new QPushButton(QStringLiteral("Читать"), this);
    Button2->setGeometry(528, 8, 97, 25);
    Button2->setFont(ProgramFont(19, true));
    Button3 = new QPushButton(QStringLiteral(">"), this);
    Button3->setGeometry(640, 8, 33, 25);
    Button3->setFont(ProgramFont(19, true));
    Button3->setToolTip(QStringLiteral("Начать/остановить проигрывание записи"));
    ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar1->setGeometry(8, BigFontScrollBarTop, 673, 17);
    ScrollBar1->setRange(1, view_.Length());
    MoveByFrameKeys(ScrollBar1);
    ScrollBar1->setValue(view_.Frame());
}

void TForm7::FormCreate() {
    set_ = FlagPicture(Rgb(FlagSetColour), QStringLiteral("1"));
    clear_ = FlagPicture(Rgb(FlagClearColour), QStringLiteral("0"));
}

void TForm7::DrawPicture(const QString& name, const QImage& picture) {
    auto* image = findChild<QLabel*>(name);
    if (!image || picture.isNull()) return;
    image->setPixmap(QPixmap::fromImage(picture));
}

void TForm7::Draw1(const QString& name) {
    DrawPicture(name, set_);
}

void TForm7::Draw0(const QString& name) {
    DrawPicture(name, clear_);
}

void TForm7::RefreshFromPanel(const PanelLines& lines, const FrameRow& row) {
    for (int k = 0; k < BigFontParameterRows; ++k)
        ValueLabels[k]->setText(QString::fromStdString(lines.values[k + 1]));
    const std::array<bool, BigFontFlagRows> bits = BigFontFlagBits(row);
    for (int k = 0; k < BigFontFlagRows; ++k) {
        const QString name = QStringLiteral("Image%1").arg(k + 1);
        if (bits[k])
            Draw1(name);
        else
            Draw0(name);
    }
    Label34->setText(QString::fromStdString(lines.values[FrameNumberRow])); // "n / length"
}

void TForm7::ReleasePictures() {
    set_ = QImage();
    clear_ = QImage();
}

void TForm7::Button2Click() {
    emit startStopPressed();
}

void TForm7::Button3Click() {
    emit playPressed();
}

void TForm7::ScrollBar1Change() {
    // Both bars show the shared length, so only the position is the user's.
    if (isVisible()) view_.SetFrame(ScrollBar1->value());
}

void TForm7::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm7::FormShow() {
    ScrollBar1->setMaximum(view_.Length());
    ScrollBar1->setValue(view_.Frame());
    emit shown();
}

void TForm7::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    FormClose();
}

void TForm7::FormClose() {
    emit closed();
}

} // namespace qv
