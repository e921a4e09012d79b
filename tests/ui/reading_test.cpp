#include "main_window_fixture.h"

#include "ui/form3_graph.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <map>
#include <thread>
#include <tuple>

namespace qv::test {
namespace {

LineFrame FrameWithByte1(std::uint8_t value) {
    LineFrame frame;
    for (int k = 0; k < 8; ++k) frame.DataSamples[k] = (value >> k) & 1;
    frame.HeaderSamples[0] = 1;
    return frame;
}

using PortChoiceTest = MainWindowTest;

TEST_F(PortChoiceTest, APickOpensAndConfiguresThePortWithDtrOff) {
    form->ComboBox1->setCurrentIndex(0);
    EXPECT_TRUE(ports->calls.empty()); // text set from code runs nothing
    emit form->ComboBox1->textActivated(form->ComboBox1->currentText());
    const std::vector<std::string> expected{"open /dev/ttyFAKE0", "timeouts 4294967295 0 0 0 0",
                                            "state 57600 8 0 0 nodtr norts"};
    EXPECT_EQ(ports->calls, expected);
    EXPECT_TRUE(state().port.IsOpen());
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(PortChoiceTest, EveryTypedPrefixIsTriedAndAFailureNamesIt) {
    QLineEdit* edit = form->ComboBox1->lineEdit();
    for (const QString& letter : {QStringLiteral("S"), QStringLiteral("I"), QStringLiteral("M")}) {
        QKeyEvent key(QEvent::KeyPress, letter.at(0).unicode(), Qt::NoModifier, letter);
        QCoreApplication::sendEvent(edit, &key);
    }
    EXPECT_EQ(form->ComboBox1->currentText(), QStringLiteral("SIM"));
    ASSERT_EQ(dialogs->messages.size(), 2u);
    EXPECT_EQ(dialogs->messages[0].text, QStringLiteral("S"));
    EXPECT_EQ(dialogs->messages[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(dialogs->messages[1].text, QStringLiteral("SI"));
    EXPECT_EQ(state().port.PortName(), "SIM");
}

TEST_F(PortChoiceTest, ConfirmingTypedTextOpensNothingAgainButAPickRetries) {
    QLineEdit* edit = form->ComboBox1->lineEdit();
    edit->setText(QStringLiteral("/dev/ttyFAKE"));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    QCoreApplication::sendEvent(edit, &key);
    ASSERT_EQ(dialogs->messages.size(), 1u); // "/dev/ttyFAKE1" cannot be opened
    EXPECT_EQ(dialogs->messages[0].text, QStringLiteral("/dev/ttyFAKE1"));
    // Leaving the box, or Enter, confirms the typed text: no second attempt, no second box.
    ports->calls.clear();
    emit form->ComboBox1->textActivated(QStringLiteral("/dev/ttyFAKE1"));
    EXPECT_TRUE(ports->calls.empty());
    EXPECT_EQ(dialogs->messages.size(), 1u);
    // Picking the same port from the list tries it again, as after plugging the adapter in.
    ports->openable.insert("/dev/ttyFAKE1");
    emit form->ComboBox1->textActivated(QStringLiteral("/dev/ttyFAKE1"));
    EXPECT_EQ(state().port.PortName(), "/dev/ttyFAKE1");
    EXPECT_TRUE(state().port.IsOpen());
    // Typing completed by the box to another port opens that one.
    edit->setText(QString());
    QKeyEvent s(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, QStringLiteral("S"));
    QCoreApplication::sendEvent(edit, &s);
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    emit form->ComboBox1->textActivated(QStringLiteral("SIM"));
    EXPECT_EQ(state().port.PortName(), "SIM");
}

TEST_F(PortChoiceTest, SettingTheBoxTextFromCodeOpensNoPort) {
    form->ComboBox1->setEditText(QStringLiteral("/dev/ttyFAKE0"));
    form->ComboBox1->setCurrentIndex(1);
    form->ComboBox1->setCurrentText(QStringLiteral("SIM"));
    EXPECT_TRUE(ports->calls.empty());
    EXPECT_FALSE(state().port.IsOpen());
}

TEST_F(PortChoiceTest, TheDtrOptionTogglesAndDrivesTheLine) {
    form->N14->trigger(); // no port: only the mark changes
    form->N14->trigger();
    EXPECT_TRUE(dialogs->messages.empty());
    form->ComboBox1->setEditText(QStringLiteral("/dev/ttyFAKE0"));
    form->ComboBox1Change();
    ports->calls.clear();
    form->N14->trigger(); // unchecked: DTR on
    EXPECT_TRUE(form->N14->isChecked());
    form->N14->trigger();
    EXPECT_FALSE(form->N14->isChecked());
    const std::vector<std::string> expected{"state 57600 8 0 0 dtr norts",
                                            "state 57600 8 0 0 nodtr norts"};
    EXPECT_EQ(ports->calls, expected);
    // A port that does not take the level: the mark still changes, and the port is named.
    ports->stateFails = true;
    form->N14->trigger();
    EXPECT_TRUE(form->N14->isChecked());
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text, QStringLiteral("/dev/ttyFAKE0"));
    EXPECT_EQ(dialogs->messages[0].caption, QStringLiteral("Ошибка"));
}

TEST_F(PortChoiceTest, TheReceiverOptionsToggleOnClick) {
    EXPECT_FALSE(form->N24->isChecked());
    form->N24->trigger();
    EXPECT_TRUE(form->N24->isChecked());
    EXPECT_TRUE(form->N27->isChecked());
    EXPECT_TRUE(state().ReducedCpu);
    form->N27->trigger();
    EXPECT_FALSE(form->N27->isChecked());
    EXPECT_FALSE(state().ReducedCpu);
}

// Every menu item by its path ("Файл/Загрузить"), and whether a user can click it: it and
// every menu above it are enabled.
void CollectItems(const QList<QAction*>& actions, const QString& path, bool open,
                  std::map<QString, bool>& items) {
    for (QAction* action : actions) {
        const bool clickable = open && action->isEnabled();
        if (action->menu())
            CollectItems(action->menu()->actions(), path + Caption(action) + '/', clickable, items);
        else if (!action->isSeparator())
            items[path + Caption(action)] = clickable;
    }
}

class ReadingTest : public MainWindowTest {
protected:
    // What a user can click when idle and while reading; each menu item and control falls
    // under the first row that begins its name.
    void ExpectClickable(bool reading) {
        const std::tuple<QString, bool, bool> rows[] = {
            {"Настройки/Стандартные для двигателя/1", false, false}, // 1G-GTE, 1JZ-GTE: no units
            {"Файл/", true, false},
            {"Настройки/", true, false},
            {"Справка/", true, false},
            {"Дополнител./Сводка", true, true},
            {"Дополнител./Графики", true, false},
            {"Дополнител./Байты с протокола", true, false},
            {"Дополнител./Три отсчёта", true, false},
            {"Дополнител./Большой шрифт", true, true},
            {"Дополнител./Живой график", true, true},
            {"port box", true, false},
            {"Удал.кадр", true, false},
            {">", true, false},
            {"Читать/Стоп", true, true}};
        std::map<QString, bool> items{
            {"port box", form->ComboBox1->isEnabled()},
            {"Удал.кадр", form->Button5->isEnabled()},
            {">", form->Button6->isEnabled()},
            {"Читать/Стоп", form->Button1->isEnabled()},
            {"Читать/Стоп big", app->Window<TForm7>()->Button2->isEnabled()}};
        CollectItems(form->menuBar()->actions(), QString(), true, items);
        for (const auto& [item, clickable] : items) {
            const auto* row = std::find_if(std::begin(rows), std::end(rows), [&](const auto& r) {
                return item.startsWith(std::get<0>(r));
            });
            ASSERT_NE(row, std::end(rows)) << item.toStdString();
            EXPECT_EQ(clickable, std::get<1>(*row) && (!reading || std::get<2>(*row)))
                << item.toStdString();
        }
    }
};

TEST_F(ReadingTest, StartingWithoutAPortOnlyAsksForOne) {
    form->Button1->click();
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text, QStringLiteral("Надо бы порт выбрать"));
    EXPECT_EQ(form->Button1->text(), QStringLiteral("Читать"));
    EXPECT_EQ(state().StopFlag, 1);
    EXPECT_TRUE(receiversStarted.empty());
}

TEST_F(ReadingTest, StartLocksTheIdleControlsAndStopUnlocksThem) {
    app->Window<TForm6>()->SetCommentLines({QStringLiteral("старый")});
    app->Window<TForm6>()->show();
    app->Window<TForm4>()->show();
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    ExpectClickable(false);
    form->Button1->click();

    EXPECT_EQ(state().StopFlag, 0);
    EXPECT_EQ(state().FrameCount, 1);
    EXPECT_EQ(form->Button1->text(), QStringLiteral("Стоп"));
    EXPECT_EQ(app->Window<TForm7>()->Button2->text(), QStringLiteral("Стоп"));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Идёт считывание...."));
    EXPECT_EQ(app->Window<TForm7>()->Edit1->text(), QStringLiteral("Идёт считывание...."));
    ExpectClickable(true);
    EXPECT_FALSE(app->Window<TForm6>()->isVisible());
    EXPECT_FALSE(app->Window<TForm4>()->isVisible());
    EXPECT_TRUE(app->Window<TForm6>()->CommentLines().isEmpty());
    EXPECT_EQ(receiversStarted, std::vector<bool>{false});

    form->Button1->click();
    EXPECT_EQ(state().StopFlag, 1);
    EXPECT_EQ(form->Button1->text(), QStringLiteral("Читать"));
    EXPECT_EQ(app->Window<TForm7>()->Button2->text(), QStringLiteral("Читать"));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Чтение остановлено...."));
    ExpectClickable(false);
}

TEST_F(ReadingTest, TheInvertingAdapterStartsTheInvertingReceiver) {
    form->N24->trigger();
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1Click();
    EXPECT_EQ(receiversStarted, std::vector<bool>{true});
}

TEST_F(ReadingTest, FramesFillSlotsOneTwoThreeAndThePanelFollows) {
    MakeRecording(50, 20);
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1Click();
    for (std::uint8_t n = 1; n <= 3; ++n) {
        CommitFrame(FrameWithByte1(100 + n), n == 2 ? 1 : 0);
        EXPECT_EQ(state().store.Row(n).Analog[0], 100 + n);
        EXPECT_EQ(state().store.Row(n).Identifier[0], 1);
        EXPECT_EQ(state().store.Row(n).EndFlag, n == 2 ? 1 : 0);
        EXPECT_EQ(form->ScrollBar1->maximum(), n);
        EXPECT_EQ(form->ScrollBar1->value(), n);
        EXPECT_EQ(app->Window<TForm7>()->ScrollBar1->value(), n);
        EXPECT_EQ(state().FrameCount, n + 1);
        EXPECT_EQ(PanelValue(24), QStringLiteral("%1 / %1").arg(n));
        EXPECT_EQ(PanelValue(23), n == 2 ? QStringLiteral("есть") : QStringLiteral("нет"));
        EXPECT_FALSE(form->Timer1->isActive());
    }
    EXPECT_EQ(PanelValue(0), QStringLiteral("100000000000"));
    EXPECT_EQ(state().store.Row(4).Analog[0], 4); // the old rows above stay untouched
}

TEST_F(ReadingTest, ATickWithNothingHandedOverCommitsNothing) {
    MakeRecording(5, 5);
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1Click();
    CommitFrame(FrameWithByte1(42));
    // A frame of an abandoned run was dropped after its tick was queued: no empty frame.
    form->Timer1->start();
    form->Timer1Timer();
    EXPECT_EQ(state().FrameCount, 2);
    EXPECT_EQ(form->ScrollBar1->maximum(), 1);
    EXPECT_EQ(state().store.Row(2).Analog[0], 2);
    EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(ReadingTest, MovingTheScrollBarWhileReadingDrawsNothing) {
    MakeRecording(10, 10);
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1Click();
    CommitFrame(FrameWithByte1(9));
    CommitFrame(FrameWithByte1(8));
    const QString before = form->Memo2->toPlainText();
    form->ScrollBar1->setValue(1);
    EXPECT_EQ(form->Memo2->toPlainText(), before);
}

TEST_F(ReadingTest, TheReceiverThreadArmsTheCommitThroughAQueuedCall) {
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1Click();
    ASSERT_TRUE(receiverCallbacks.frameReady);
    const LineFrame frame = FrameWithByte1(77);
    std::thread receiver([&] {
        state().handOver.Publish(generation, frame.DataSamples, frame.HeaderSamples, 0, 1);
        receiverCallbacks.frameReady();
        receiverCallbacks.noCounter();
    });
    receiver.join();
    EXPECT_EQ(state().FrameCount, 1); // nothing happens on the receiver's thread
    ASSERT_TRUE(WaitFor([&] { return state().FrameCount == 2; }));
    EXPECT_EQ(state().store.Row(1).Analog[0], 77);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Однако не хотит:)"));
}

TEST_F(ReadingTest, AQuietLineIsToldAndTheReadingNoticeReturnsWithTheNextFrame) {
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1Click();
    EXPECT_TRUE(form->QuietTimer->isActive());
    form->QuietTimer->start(1); // as if five seconds had passed
    const QString quiet =
        QStringLiteral("Нет данных с линии: проверьте кабель, зажигание и «Инверсный адаптер»");
    ASSERT_TRUE(WaitFor([&] { return form->Edit1->text() == quiet; }));
    EXPECT_EQ(app->Window<TForm7>()->Edit1->text(), quiet);
    CommitFrame(FrameWithByte1(1));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Идёт считывание...."));
    EXPECT_TRUE(form->QuietTimer->isActive());

    // Frames the commit could not take in time are counted.
    for (std::size_t i = 0; i < FrameHandOver::Capacity + 2; ++i)
        state().handOver.Publish(generation, {}, {}, 0, state().FrameCount);
    form->Timer1Timer();
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Идёт считывание.... Пропущено кадров: 2"));

    form->Button1Click();
    EXPECT_FALSE(form->QuietTimer->isActive());
    form->QuietLineTimeout();
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Чтение остановлено...."));
}

TEST_F(ReadingTest, TheHintTellsHowTheLineIsReadAndALowPriorityIsToldOnce) {
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    EXPECT_EQ(form->ComboBox1->toolTip(), QStringLiteral("Com port"));
    for (int start = 0; start < 2; ++start) {
        form->Button1Click();
        std::thread receiver([this] {
            receiverCallbacks.acquisition(AcquisitionMode::EdgeTimed,
                                          ThreadPriorityLevel::RaisedNice);
        });
        receiver.join();
        ASSERT_TRUE(
            WaitFor([&] { return form->ComboBox1->toolTip() != QStringLiteral("Com port"); }));
        EXPECT_EQ(form->ComboBox1->toolTip(),
                  QStringLiteral("Com port\nПриём: по изменениям линии (порт сообщает о них сам); "
                                 "приоритет потока: повышенный, не реального времени"));
        form->Button1Click();
        form->ComboBox1->setToolTip(QStringLiteral("Com port"));
    }
    ASSERT_EQ(dialogs->notices.size(), 1u);
    EXPECT_TRUE(dialogs->notices[0].startsWith(
        QStringLiteral("Поток чтения не получил приоритет реального времени")));
    // A report of an earlier start changes nothing.
    startedCallbacks[0].acquisition(AcquisitionMode::Polling, ThreadPriorityLevel::Normal);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->ComboBox1->toolTip(), QStringLiteral("Com port"));
}

TEST_F(ReadingTest, ALostDeviceEndsReadingClosesThePortAndKeepsTheFrames) {
    form->ComboBox1->setEditText(QStringLiteral("/dev/ttyFAKE0"));
    form->ComboBox1Change();
    form->Button1Click();
    CommitFrame(FrameWithByte1(33));
    std::thread receiver([this] { receiverCallbacks.deviceLost(); });
    receiver.join();
    ASSERT_TRUE(WaitFor([&] { return state().StopFlag == 1; }));
    EXPECT_FALSE(state().port.IsOpen());
    EXPECT_EQ(form->Button1->text(), QStringLiteral("Читать"));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Чтение остановлено...."));
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(dialogs->messages[0].text.startsWith(
        QStringLiteral("Порт /dev/ttyFAKE0 перестал отвечать")));
    EXPECT_EQ(state().store.Row(1).Analog[0], 33);
    EXPECT_EQ(form->ScrollBar1->maximum(), 1);
}

TEST_F(ReadingTest, TheCommitOfSlot2000EndsReadingAndOffersTheSave) {
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1Click();
    state().FrameCount = 2000;
    CommitFrame(FrameWithByte1(5));
    EXPECT_EQ(state().store.Row(2000).Analog[0], 5);
    EXPECT_EQ(state().FrameCount, 2001);
    EXPECT_EQ(form->ScrollBar1->maximum(), 2000);
    EXPECT_EQ(state().StopFlag, 1);
    EXPECT_EQ(form->Button1->text(), QStringLiteral("Читать"));
    EXPECT_EQ(dialogs->saveAsked, 1);

    // A frame that still arrives is never committed beyond the store.
    form->Timer1Timer();
    EXPECT_EQ(state().FrameCount, 2001);
    EXPECT_EQ(form->ScrollBar1->maximum(), 2000);
}

TEST_F(ReadingTest, TheSimulatedUnitDeliversFramesOnARealReceiver) {
    UiServices services;
    services.portSystem = ports;
    services.dialogs = dialogs;
    services.settingsPath = dir.filePath(QStringLiteral("sim.ini"));
    services.closePauseMs = 0;
    QuintovarApp real(services);
    real.StartUp();
    TForm1* main = real.Window<TForm1>();
    main->Timer1Timer();
    main->ComboBox1->setEditText(QStringLiteral("SIM"));
    main->ComboBox1Change();
    main->Button1Click();
    ASSERT_TRUE(WaitFor([&] { return real.State().FrameCount >= 2; }, 6000));
    main->Button1Click();
    EXPECT_EQ(main->ScrollBar1->maximum(), 1);
    EXPECT_EQ(MemoLines(main->Memo2).value(24), QStringLiteral("1 / 1"));
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

using TimingCheckTest = MainWindowTest;

TEST_F(TimingCheckTest, NeedsAPort) {
    form->N25->trigger();
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text, QStringLiteral("Сначала выбери порт."));
}

TEST_F(TimingCheckTest, TheReportArrivesInAMessageOnTheMainThread) {
    form->ComboBox1->setEditText(QStringLiteral("/dev/ttyFAKE0"));
    form->ComboBox1Change();
    form->N25Click();
    ASSERT_TRUE(WaitFor([&] { return !dialogs->messages.empty(); }, 5000));
    EXPECT_TRUE(
        dialogs->messages[0].text.startsWith(QStringLiteral("Средняя неточность отсчёта - ")));
    EXPECT_TRUE(dialogs->messages[0].text.endsWith(
        QStringLiteral("мс. При неточности 2 и более мс. возможны сбои.")));
    EXPECT_FALSE(form->Timer3->isActive());
}

} // namespace
} // namespace qv::test
