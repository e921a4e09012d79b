#include "acquisition/reading_notices.h"
#include "app/frame_commit.h"
#include "app/reading_session.h"
#include "recording/frame_time.h"
#include "recording/parameter_table.h"
#include "ui/form1_main.h"
#include "ui/input_blocker.h"
#include "ui/keyboard.h"
#include "ui/mouse_button.h"
#include "ui/receiver_link.h"
#include "ui/window_basics.h"

#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

namespace qv {

namespace {

QTextEdit* MakeMemo(QWidget* parent, const QRect& geometry, const QString& hint, bool readOnly,
                    bool centred) {
    auto* memo = new QTextEdit(parent);
    memo->setGeometry(geometry);
    memo->setToolTip(hint);
    memo->setReadOnly(readOnly);
    memo->setAcceptRichText(false);
    memo->setLineWrapMode(QTextEdit::NoWrap);
    memo->setFont(ProgramFont(13));
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->document()->setDocumentMargin(2);
    if (centred) {
        QTextOption option = memo->document()->defaultTextOption();
        option.setAlignment(Qt::AlignHCenter);
        memo->document()->setDefaultTextOption(option);
    }
    return memo;
}

QTimer* MakeTimer(QObject* parent, int interval) {
    auto* timer = new QTimer(parent);
    timer->setInterval(interval);
    return timer;
}

QAction* AddItem(QMenu* menu, const QString& caption, bool checkable = false) {
    QAction* action = menu->addAction(caption);
    action->setCheckable(checkable);
    return action;
}

} // namespace

TForm1::TForm1(ProgramState& state, ReadingSession& session, SharedView& view, UiServices services)
    : state_(state), session_(session), view_(view), services_(std::move(services)),
      receiverLink_(std::make_shared<ReceiverLink>(this)) {
    if (!services_.dialogs) services_.dialogs = std::make_shared<Dialogs>();
    if (services_.portSystem) state_.port.UseSystem(services_.portSystem);
    setWindowTitle(QStringLiteral("Диагностика Toyota со старым протоколом"));
    setFont(ProgramFont(11));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setAttribute(Qt::WA_QuitOnClose, false); // the close sequence ends the program itself
    BuildControls();
    BuildMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(180, 99);
    ConnectHandlers();
    TxRxrmCreate();
}

TForm1::~TForm1() {
    // The worker threads reach this window only by queued calls, which are dropped from now
    // on; a receiver that still runs is stopped, and both are joined before the window goes.
    receiverLink_->Detach();
    (void)session_.End(RunEnd::Stop, NowFrameTime());
    JoinThreads();
    // The controls die after this object's own part: the port box, losing its focus, would
    // still signal a handler of a window that no longer exists.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

void TForm1::JoinThreads() {
    session_.JoinReceiver();
    if (timingCheck_.joinable()) timingCheck_.join();
}

int TForm1::ClientWidth() const {
    return Client->width();
}

void TForm1::BuildControls() {
    Client = new QWidget(this);
    Client->setFixedSize(259, ClientHeight);
    Client->setBackgroundRole(QPalette::Button);
    Client->setAutoFillBackground(true);
    setCentralWidget(Client);

    ComboBox1 = new QComboBox(Client);
    ComboBox1->setGeometry(0, 0, 97, 24);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setCompleter(nullptr); // typed text is taken as typed, prefix by prefix
    TypeOnlyPlainKeys(ComboBox1, ComboBox1->lineEdit());
    ComboBox1->setToolTip(QStringLiteral("Com port"));
    ComboBox1->setFont(ProgramFont(13, true));

    Button1 = new QPushButton(QStringLiteral("Читать"), Client);
    Button1->setGeometry(102, 0, 59, 24);
    Button1->setToolTip(QStringLiteral("Начать/остановить чтение данных с порта"));
    Button1->setFont(ProgramFont(11, true));
    QPalette green = Button1->palette();
    green.setColor(QPalette::ButtonText, QColor(0, 128, 0));
    Button1->setPalette(green);

    Button6 = new QPushButton(QStringLiteral(">"), Client);
    Button6->setGeometry(168, 0, 25, 24);
    Button6->setToolTip(QStringLiteral("Проиграть с этого места/остановить"));
    Button6->setFont(ProgramFont(11, true));

    Button5 = new QPushButton(QStringLiteral("Удал.кадр"), Client);
    Button5->setGeometry(200, 0, 57, 25);
    Button5->setToolTip(QStringLiteral("Удалить текуший кадр"));

    Memo1 = MakeMemo(Client, {0, 26, 161, 439}, QStringLiteral("Параметры"), true, false);
    Memo2 = MakeMemo(Client, {160, 26, 99, 439}, QStringLiteral("Значения"), true, true);
    Memo6 = MakeMemo(Client, {258, 26, 99, 439}, QStringLiteral("Данные"), true, true);
    Memo6->hide();

    Label1 = new QLabel(QStringLiteral("Байты"), Client);
    Label1->setFont(ProgramFont(11, true));
    Label1->move(288, 0);
    Label1->adjustSize();
    Label1->hide();
    Label2 = new QLabel(QStringLiteral("протокола"), Client);
    Label2->setFont(ProgramFont(11, true));
    Label2->move(280, 12);
    Label2->adjustSize();
    Label2->hide();

    const std::array<int, 3> sampleLefts{258, 356, 454};
    const std::array<int, 3> buttonLefts{271, 369, 467};
    const std::array<QString, 3> buttonCaptions{QStringLiteral("№1"), QStringLiteral("№2"),
                                                QStringLiteral("№3")};
    std::array<QTextEdit*, 3> samples{};
    std::array<MouseButton*, 3> sampleButtons{};
    for (int k = 0; k < 3; ++k) {
        samples[k] =
            MakeMemo(Client, {sampleLefts[k], 26, 99, 439}, QStringLiteral("Данные"), false, true);
        samples[k]->hide();
        sampleButtons[k] = new MouseButton(buttonCaptions[k], Client);
        sampleButtons[k]->setGeometry(buttonLefts[k], 0, 75, 23);
        sampleButtons[k]->setToolTip(QStringLiteral("Левая-записать/правая-очистить"));
        sampleButtons[k]->setFont(ProgramFont(11, true));
        sampleButtons[k]->hide();
    }
    Memo3 = samples[0];
    Memo4 = samples[1];
    Memo5 = samples[2];
    Button2 = sampleButtons[0];
    Button3 = sampleButtons[1];
    Button4 = sampleButtons[2];

    Edit1 = new QLineEdit(QStringLiteral("Информационное поле"), Client);
    Edit1->setGeometry(0, 464, 259, 24);
    Edit1->setToolTip(QStringLiteral("Отображается некоторая справочная информация"));
    Edit1->setReadOnly(true);
    Edit1->setFont(ProgramFont(13, true));

    ScrollBar1 = new QScrollBar(Qt::Horizontal, Client);
    ScrollBar1->setGeometry(0, 490, 259, 17);
    ScrollBar1->setToolTip(QStringLiteral("Позиция относительно всей записи"));
    ScrollBar1->setRange(1, 1);
    ScrollBar1->setValue(1);
    ScrollBar1->setPageStep(10);
    ScrollBar1->setSingleStep(1);
    MoveByFrameKeys(ScrollBar1);

    for (int i = 0; i < 10; ++i) {
        auto* marker = new MouseButton(QStringLiteral("0"), Client);
        marker->setGeometry((i % 5) * 52, i < 5 ? 510 : 530, 52, 19);
        marker->setToolTip(QStringLiteral("Очистить - правая кнопка мыши"));
        BitBtn[i] = marker;
        markers_[i] = "0";
    }

    Timer1 = MakeTimer(this, CommitDelayMs);
    Timer2 = MakeTimer(this, 200);
    Timer3 = MakeTimer(this, 100);
    Timer4 = MakeTimer(this, 1000);
    QuietTimer = MakeTimer(this, QuietLineMs);
    QuietTimer->setSingleShot(true);
}

void TForm1::BuildMenu() {
    QMenuBar* bar = menuBar();
    // The four menus fit side by side in the narrow window.
    bar->setStyleSheet(QStringLiteral("QMenuBar::item { padding: 2px 4px; }"));

    N1 = bar->addMenu(QStringLiteral("Файл"));
    N2 = AddItem(N1, QStringLiteral("Загрузить"));
    N3 = AddItem(N1, QStringLiteral("Сохранить"));
    N28 = AddItem(N1, QStringLiteral("Коментарий к данным"));
    // Below the items that were always there, which keep their places.
    RecentReadings = AddItem(N1, QStringLiteral("Последние чтения…"));
    N29 = N1->addSeparator();
    N4 = AddItem(N1, QStringLiteral("Выход"));

    N19 = bar->addMenu(QStringLiteral("Настройки"));
    for (const UnitMenu& unitMenu : UnitMenus()) {
        UnitSubmenu submenu{unitMenu.parameter, N19->addMenu(QString::fromUtf8(unitMenu.caption)),
                            nullptr};
        submenu.items = new QActionGroup(submenu.menu);
        submenu.items->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        for (const UnitMenuItem& item : unitMenu.items) {
            if (item.separatorBefore) submenu.menu->addSeparator();
            QAction* action = AddItem(submenu.menu, QString::fromUtf8(item.caption), true);
            action->setData(item.value);
            submenu.items->addAction(action);
        }
        UnitSubmenus.push_back(submenu);
    }
    PresetMenu = N19->addMenu(QStringLiteral("Стандартные для двигателя"));
    N3S1 = AddItem(PresetMenu, QStringLiteral("3S-FE, 4S-FE, 5S-FE, 4A-FE, 7A-FE, 4A-GE"), true);
    N1GGTE1 = AddItem(PresetMenu, QStringLiteral("1G-GTE"), true);
    N1GGTE1->setEnabled(false);
    N1JZGTE1 = AddItem(PresetMenu, QStringLiteral("1JZ-GTE"), true);
    N1JZGTE1->setEnabled(false);
    N18 = N19->addSeparator();
    N14 = AddItem(N19, QStringLiteral("Напряжение лог.1 на DTR"), true);
    N24 = AddItem(N19, QStringLiteral("Инверсный адаптер"), true);
    N27 = AddItem(N19, QStringLiteral("Пониженная загрузка ЦП"), true);
    N27->setChecked(true);
    N30 = N19->addSeparator();
    N25 = AddItem(N19, QStringLiteral("Проверить производительность"));
    N32 = AddItem(N19, QStringLiteral("Проверить кабель на инверсию"));

    N5 = bar->addMenu(QStringLiteral("Дополнител."));
    N8 = AddItem(N5, QStringLiteral("Графики"));
    N12 = AddItem(N5, QStringLiteral("Байты с протокола"), true);
    N13 = AddItem(N5, QStringLiteral("Три отсчёта"), true);
    N31 = AddItem(N5, QStringLiteral("Большой шрифт"));
    LiveGraphItem = AddItem(N5, QStringLiteral("Живой график"));
    SummaryItem = AddItem(N5, QStringLiteral("Сводка"));

    N6 = bar->addMenu(QStringLiteral("Справка"));
    N26 = AddItem(N6, QStringLiteral("О программе"));
    N9 = AddItem(N6, QStringLiteral("Работа с программой"));

    // The keyboard: Alt with a marked letter for every menu and item, and the usual shortcuts.
    GiveMnemonics(bar);
    N2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    N3->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    N4->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    N9->setShortcut(QKeySequence(Qt::Key_F1));
}

void TForm1::TxRxrmCreate() {
    for (const std::string& name : state_.port.ListPorts())
        ComboBox1->addItem(QString::fromStdString(name));
    // No port is chosen until the user picks or types one, or until ChooseLastPort finds the
    // port of the last reading.
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
    LoadSettings();
    ApplyDisplaySettings();
    ChooseLastPort();
    if (!services_.arguments.isEmpty()) Timer2->start();
}

} // namespace qv
