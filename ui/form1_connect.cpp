#include "ui/form1_main.h"
#include "ui/mouse_button.h"
#include "ui/shared_view.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <optional>
#include <utility>

namespace qv {

namespace {

// Menu items toggle their check marks in their own handlers, so Qt's automatic toggle of a
// checkable item is undone before the handler runs.
void OnMenu(QAction* item, TForm1* form, void (TForm1::*handler)()) {
    QObject::connect(item, &QAction::triggered, form, [item, form, handler] {
        if (item->isCheckable()) item->setChecked(!item->isChecked());
        (form->*handler)();
    });
}

} // namespace

void TForm1::ConnectHandlers() {
    // The user's choice of port: every typed change, and every pick from the list (the same
    // port again too, to retry it). Text set from code runs nothing. After typing, the box
    // confirms the typed text on Enter or when it loses focus; that opens nothing again unless
    // the box completed the text to another port.
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        portTextTyped_ = text;
        ComboBox1Change();
    });
    connect(ComboBox1, &QComboBox::textActivated, this, [this](const QString& text) {
        const std::optional<QString> typed = std::exchange(portTextTyped_, std::nullopt);
        if (typed != text) ComboBox1Change();
    });

    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(Button2, &MouseButton::mouseDown, this,
            [this](auto b) { SampleButtonMouseDown(1, b); });
    connect(Button3, &MouseButton::mouseDown, this,
            [this](auto b) { SampleButtonMouseDown(2, b); });
    connect(Button4, &MouseButton::mouseDown, this,
            [this](auto b) { SampleButtonMouseDown(3, b); });
    for (int i = 0; i < 10; ++i)
        connect(BitBtn[i], &MouseButton::mouseDown, this,
                [this, i](Qt::MouseButton b) { BitBtnMouseDown(i + 1, b); });

    // The frame scroll bar shows the shared length and frame, and the user moves the shared
    // frame with it. A scroll bar notifies only when its position really changes, and so does
    // the shared view: whoever moves the frame, the panel shows it once.
    connect(ScrollBar1, &QScrollBar::valueChanged, &view_, &SharedView::SetFrame);
    connect(&view_, &SharedView::lengthChanged, ScrollBar1, &QScrollBar::setMaximum);
    connect(&view_, &SharedView::frameChanged, this, [this](int frame) {
        ScrollBar1->setValue(frame);
        ScrollBar1Change();
    });
    connect(&view_, &SharedView::infoChanged, Edit1, &QLineEdit::setText);
    connect(&view_, &SharedView::readingChanged, Button1,
            [this](bool reading) { Button1->setText(StartCaption(reading)); });
    connect(&view_, &SharedView::playingChanged, Button6,
            [this](bool playing) { Button6->setText(PlayCaption(playing)); });

    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(Timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    connect(Timer4, &QTimer::timeout, this, &TForm1::Timer4Timer);
    connect(QuietTimer, &QTimer::timeout, this, &TForm1::QuietLineTimeout);

    OnMenu(N2, this, &TForm1::N2Click);
    OnMenu(RecentReadings, this, &TForm1::RecentReadingsClick);
    OnMenu(N3, this, &TForm1::N3Click);
    OnMenu(N28, this, &TForm1::N28Click);
    OnMenu(N4, this, &TForm1::N4Click);

    for (const UnitSubmenu& submenu : UnitSubmenus)
        connect(submenu.items, &QActionGroup::triggered, this,
                [this, parameter = submenu.parameter](QAction* item) {
                    UnitItemClick(parameter, item->data().toInt());
                });
    OnMenu(N3S1, this, &TForm1::N3S1Click);
    OnMenu(N14, this, &TForm1::N14Click);
    OnMenu(N24, this, &TForm1::N24Click);
    OnMenu(N27, this, &TForm1::N27Click);
    OnMenu(N25, this, &TForm1::N25Click);
    OnMenu(N32, this, &TForm1::N32Click);

    OnMenu(N8, this, &TForm1::N8Click);
    OnMenu(N12, this, &TForm1::N12Click);
    OnMenu(N13, this, &TForm1::N13Click);
    OnMenu(N31, this, &TForm1::N31Click);
    OnMenu(SummaryItem, this, &TForm1::SummaryItemClick);

    OnMenu(N26, this, &TForm1::N26Click);
    OnMenu(N9, this, &TForm1::N9Click);
}

} // namespace qv
