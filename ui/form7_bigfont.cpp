#include "ui/form7_bigfont.h"
#include "ui/form1_main.h"
#include "ui/window_basics.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace qv {

TForm7::TForm7(TForm1* mainWindow, QWidget* parent) : QWidget(parent), main_(mainWindow) {
    SetUpFixedWindow(this, QStringLiteral("Большой шрифт"), 687, 473, 198, 99);
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
    Label33 = new QLabel(QStringLiteral("Кадр:"), this);
    Label33->setFont(ProgramFont(24, true));
    Label33->move(44, 400);
    Label34 = new QLabel(QStringLiteral("1/1"), this);
    Label34->setFont(ProgramFont(24, true));
    Label34->setGeometry(122, 400, 200, 32);

    connect(Button2, &QPushButton::clicked, this, &TForm7::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm7::Button3Click);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm7::ScrollBar1Change);
    hide();
}

void TForm7::RefreshFromPanel(const PanelLines& lines, int n, int length) {
    (void)lines;
    Label34->setText(QStringLiteral("%1 / %2").arg(n).arg(length));
}

void TForm7::ReleasePictures() {}

void TForm7::Button2Click() {
    main_->Button1Click();
}

void TForm7::Button3Click() {
    main_->Button6Click();
}

void TForm7::ScrollBar1Change() {
    if (!isVisible()) return;
    main_->ScrollBar1->setValue(ScrollBar1->value());
    main_->ScrollBar1->setMaximum(ScrollBar1->maximum());
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
