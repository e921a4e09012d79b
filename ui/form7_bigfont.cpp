#include "ui/form7_bigfont.h"
#include "ui/form1_main.h"
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

TForm7::TForm7(TForm1* mainWindow, QWidget* parent) : QWidget(parent), main_(mainWindow) {
    SetUpFixedWindow(this, QStringLiteral("Большой шрифт"), 687, 473, 198, 99);
    BuildControls();
    connect(Button2, &QPushButton::clicked, this, &TForm7::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm7::Button3Click);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm7::ScrollBar1Change);
    FormCreate();
    hide();
}

void TForm7::BuildControls() {
    for (int k = 0; k < BigFontParameterRows; ++k) {
        const BigFontParameterRow& row = BigFontParameters()[k];
        const int top = BigFontRowTop(k + 1);
        const QColor colour = Rgb(row.colour);
        NameLabels[k] =
            MakeLabel(this, QStringLiteral("Label%1").arg(k + 1), QString::fromUtf8(row.caption),
                      {NameRight - NameWidth, top, NameWidth, RowHeight}, colour, Qt::AlignRight);
        ValueLabels[k] = MakeLabel(this, QStringLiteral("Label%1").arg(k + 11), QStringLiteral("0"),
                                   {ValueLeft, top, ValueWidth, RowHeight}, colour);
    }
    for (int k = 0; k < BigFontFlagRows; ++k) {
        const int top = BigFontRowTop(k + 1);
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image%1").arg(k + 1));
        image->setGeometry(ImageLeft, top, FlagPictureWidth, FlagPictureHeight);
        Images[k] = image;
        FlagLabels[k] =
            MakeLabel(this, QStringLiteral("Label%1").arg(k + 21),
                      QString::fromUtf8(BigFontFlagCaptions()[k]),
                      {FlagNameLeft, top, width() - FlagNameLeft, RowHeight}, Qt::black);
    }
    Label33 = MakeLabel(this, QStringLiteral("Label33"), QStringLiteral("Кадр:"),
                        {44, 400, 78, RowHeight}, Qt::black);
    Label34 = MakeLabel(this, QStringLiteral("Label34"), QStringLiteral("1/1"),
                        {122, 400, 280, RowHeight}, Qt::black);

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
    ScrollBar1->setGeometry(8, 448, 673, 17);
    ScrollBar1->setRange(1, 1);
    ScrollBar1->setValue(1);
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

void TForm7::RefreshFromPanel(const PanelLines& lines, int n, int length) {
    (void)length; // row 24 of the panel already reads "n / length"
    for (int k = 0; k < BigFontParameterRows; ++k)
        ValueLabels[k]->setText(QString::fromStdString(lines.values[k + 1]));
    const std::array<bool, BigFontFlagRows> bits = BigFontFlagBits(main_->State().store.Row(n));
    for (int k = 0; k < BigFontFlagRows; ++k) {
        const QString name = QStringLiteral("Image%1").arg(k + 1);
        if (bits[k])
            Draw1(name);
        else
            Draw0(name);
    }
    Label34->setText(QString::fromStdString(lines.values[24]));
}

void TForm7::ReleasePictures() {
    set_ = QImage();
    clear_ = QImage();
}

void TForm7::Button2Click() {
    main_->Button1Click();
}

void TForm7::Button3Click() {
    main_->Button6Click();
}

void TForm7::ScrollBar1Change() {
    if (!isVisible()) return;
    // The maximum goes first so that a position beyond the old maximum is not clipped; the
    // two bars always share their maximum anyway.
    main_->ScrollBar1->setMaximum(ScrollBar1->maximum());
    main_->ScrollBar1->setValue(ScrollBar1->value());
}

void TForm7::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm7::FormShow() {
    main_->ScrollBar1Change();
}

void TForm7::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    FormClose();
}

void TForm7::FormClose() {
    main_->show();
    main_->MemoDraw(main_->FramePosition());
}

} // namespace qv
