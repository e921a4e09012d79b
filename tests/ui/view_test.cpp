#include "main_window_fixture.h"

#include "recording/extra_views_layout.h"
#include "ui/form3_graph.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"
#include "ui/form8_cable.h"
#include "ui/mouse_button.h"

#include <QMenu>
#include <QMenuBar>

#include <QLabel>
#include <QMouseEvent>

namespace qv::test {
namespace {

void Press(QWidget* button, Qt::MouseButton which) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), button->mapToGlobal(QPointF(3, 3)),
                      which, which, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(3, 3),
                        button->mapToGlobal(QPointF(3, 3)), which, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &release);
}

using DeleteFrameTest = MainWindowTest;

TEST_F(DeleteFrameTest, DeletingTheFirstFrameMovesTheOthersDown) {
    MakeRecording(3, 1);
    const FrameRow old2 = state().store.Row(2);
    const FrameRow old3 = state().store.Row(3);
    form->Button5->click();
    EXPECT_EQ(state().store.Row(1), old2);
    EXPECT_EQ(state().store.Row(2), old3);
    EXPECT_EQ(form->ScrollBar1->maximum(), 2);
    EXPECT_EQ(form->ScrollBar1->value(), 1);
    EXPECT_EQ(PanelValue(24), QStringLiteral("1 / 2"));
    EXPECT_EQ(MemoLines(form->Memo2).value(23), QStringLiteral("нет")); // old frame 2
    EXPECT_EQ(state().FrameCount, 4);
}

TEST_F(DeleteFrameTest, DeletingAMiddleFrameKeepsEveryFieldOfTheOthers) {
    MakeRecording(3, 2);
    state().store.Row(3).Identifier.fill(1);
    state().store.Row(3).Flags11.fill(1);
    state().store.Row(3).FrameTime = 45000.5;
    const FrameRow old1 = state().store.Row(1);
    const FrameRow old3 = state().store.Row(3);
    form->Button5Click();
    EXPECT_EQ(state().store.Row(1), old1);
    EXPECT_EQ(state().store.Row(2), old3);
    EXPECT_EQ(form->ScrollBar1->value(), 2);
    EXPECT_EQ(PanelValue(0), QStringLiteral("111111111111"));
}

TEST_F(DeleteFrameTest, DeletingTheLastFrameShowsTheNewLastOne) {
    MakeRecording(3, 3);
    const FrameRow old2 = state().store.Row(2);
    form->Button5Click();
    EXPECT_EQ(state().store.Row(2), old2);
    EXPECT_EQ(form->ScrollBar1->maximum(), 2);
    EXPECT_EQ(form->ScrollBar1->value(), 2);
    EXPECT_EQ(PanelValue(24), QStringLiteral("2 / 2"));
}

TEST_F(DeleteFrameTest, TheOnlyFrameIsNotDeleted) {
    const FrameRow only = state().store.Row(1);
    form->Button5Click();
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text,
              QStringLiteral("Что удалять то собрались? Ничего же не останется ;)"));
    EXPECT_EQ(state().store.Row(1), only);
    EXPECT_EQ(form->ScrollBar1->maximum(), 1);
}

using PlaybackTest = MainWindowTest;

TEST_F(PlaybackTest, PlaysToTheLastFrameAndStopsByItself) {
    MakeRecording(8, 5);
    form->Button6->click();
    EXPECT_TRUE(form->Timer4->isActive());
    EXPECT_EQ(form->Button6->text(), QStringLiteral("#"));
    EXPECT_EQ(app->Window<TForm7>()->Button3->text(), QStringLiteral("#"));
    for (int expected = 6; expected <= 8; ++expected) {
        form->Timer4Timer();
        EXPECT_EQ(form->ScrollBar1->value(), expected);
        EXPECT_EQ(PanelValue(24), QStringLiteral("%1 / 8").arg(expected));
    }
    EXPECT_TRUE(form->Timer4->isActive());
    form->Timer4Timer();
    EXPECT_FALSE(form->Timer4->isActive());
    EXPECT_EQ(form->ScrollBar1->value(), 8);
    EXPECT_EQ(form->Button6->text(), QStringLiteral(">"));
    EXPECT_EQ(app->Window<TForm7>()->Button3->text(), QStringLiteral(">"));
}

TEST_F(PlaybackTest, ThePlayButtonStopsAtOnce) {
    MakeRecording(8, 2);
    form->Button6Click();
    form->Timer4Timer();
    form->Button6Click();
    EXPECT_FALSE(form->Timer4->isActive());
    EXPECT_EQ(form->ScrollBar1->value(), 3);
    EXPECT_EQ(form->Button6->text(), QStringLiteral(">"));
}

TEST_F(PlaybackTest, NothingToPlayAtTheLastFrame) {
    MakeRecording(4, 4);
    form->Button6Click();
    EXPECT_FALSE(form->Timer4->isActive());
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Что проигравать то?"));
    EXPECT_EQ(app->Window<TForm7>()->Edit1->text(), QStringLiteral("Что проигравать то?"));
    EXPECT_EQ(form->Button6->text(), QStringLiteral(">"));
}

using MarkerTest = MainWindowTest;

TEST_F(MarkerTest, LeftRemembersAndJumpsBackRightEmpties) {
    MakeRecording(60, 37);
    MouseButton* marker = form->BitBtn[2];
    Press(marker, Qt::LeftButton);
    EXPECT_EQ(marker->text(), QStringLiteral("37"));
    form->ScrollBar1->setValue(5);
    Press(marker, Qt::MiddleButton);
    EXPECT_EQ(form->ScrollBar1->value(), 5);
    Press(marker, Qt::LeftButton);
    EXPECT_EQ(form->ScrollBar1->value(), 37);
    EXPECT_EQ(PanelValue(24), QStringLiteral("37 / 60"));
    Press(marker, Qt::RightButton);
    EXPECT_EQ(marker->text(), QStringLiteral("0"));
    EXPECT_EQ(form->ScrollBar1->value(), 37);
}

TEST_F(MarkerTest, AMarkerBeyondTheEndGoesToTheLastFrame) {
    MakeRecording(100, 10);
    form->SetMarker(10, "150");
    form->BitBtnMouseDown(10, Qt::LeftButton);
    EXPECT_EQ(form->ScrollBar1->value(), 100);
}

TEST_F(MarkerTest, ADamagedCaptionIsReportedAndTakenAsEmpty) {
    MakeRecording(20, 12);
    form->SetMarker(1, "12x");
    form->BitBtnMouseDown(1, Qt::LeftButton);
    EXPECT_EQ(form->BitBtn[0]->text(), QStringLiteral("12"));
    EXPECT_TRUE(form->Edit1->text().contains(QStringLiteral("12x")));
}

TEST_F(MarkerTest, TheMarkersSpreadOverTheWindowWidth) {
    EXPECT_EQ(form->ClientWidth(), 259);
    const std::array<int, 5> narrow{0, 52, 104, 156, 208};
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(form->BitBtn[n]->x(), narrow[n]);
        EXPECT_EQ(form->BitBtn[n + 5]->x(), narrow[n]);
        EXPECT_EQ(form->BitBtn[n]->width(), 51);
        EXPECT_EQ(form->BitBtn[n]->y(), 510);
        EXPECT_EQ(form->BitBtn[n + 5]->y(), 530);
    }
    form->N13->trigger();
    const std::array<int, 5> wide{0, 110, 220, 331, 441};
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(form->BitBtn[n]->x(), wide[n]);
        EXPECT_EQ(form->BitBtn[n + 5]->x(), wide[n]);
        EXPECT_EQ(form->BitBtn[n + 5]->width(), 109);
    }
}

using SampleTest = MainWindowTest;

TEST_F(SampleTest, LeftTakesTheValueColumnRightClearsIt) {
    MakeRecording(5, 2);
    form->N13->trigger();
    Press(form->Button3, Qt::LeftButton);
    const QStringList taken = MemoLines(form->Memo4);
    EXPECT_EQ(taken.size(), 26);
    EXPECT_EQ(taken.value(24), QStringLiteral("2 / 5"));
    form->ScrollBar1->setValue(4);
    EXPECT_EQ(MemoLines(form->Memo4), taken); // a taken sample stays
    Press(form->Button3, Qt::MiddleButton);
    EXPECT_EQ(MemoLines(form->Memo4), taken);
    Press(form->Button3, Qt::RightButton);
    EXPECT_TRUE(form->Memo4->toPlainText().isEmpty());
    EXPECT_TRUE(form->Memo3->toPlainText().isEmpty());
}

using ExtraViewsTest = MainWindowTest;

TEST_F(ExtraViewsTest, TheSwitchesWidenTheWindowAndShowTheColumns) {
    struct Case {
        bool bytes, samples;
        int client, info, firstSample, firstButton;
    };
    const Case cases[] = {{false, true, 550, 551, 256, 269},
                          {true, true, 650, 651, 356, 369},
                          {true, false, 357, 357, 356, 369},
                          {false, false, 259, 259, 356, 369}};
    for (const Case& c : cases) {
        if (form->N12->isChecked() != c.bytes) form->N12->trigger();
        if (form->N13->isChecked() != c.samples) form->N13->trigger();
        SCOPED_TRACE(c.client);
        EXPECT_EQ(form->ClientWidth(), c.client);
        EXPECT_EQ(form->ClientWidth() + TForm1::FrameAllowance,
                  ExtraViewsFor(c.bytes, c.samples).windowWidth);
        EXPECT_EQ(form->Edit1->width(), c.info);
        EXPECT_EQ(form->ScrollBar1->width(), c.info);
        EXPECT_EQ(form->Memo3->x(), c.firstSample);
        EXPECT_EQ(form->Button2->x(), c.firstButton);
        EXPECT_EQ(form->Memo5->isVisible(), c.samples);
        EXPECT_EQ(form->Button4->isVisible(), c.samples);
        EXPECT_EQ(form->Memo6->isVisible(), c.bytes);
        EXPECT_EQ(form->Label1->isVisible(), c.bytes);
        EXPECT_EQ(form->Label2->text(), QStringLiteral("протокола"));
    }
}

TEST_F(ExtraViewsTest, TheBytesColumnShowsTheStoredBytes) {
    MakeRecording(3, 2);
    state().store.Row(2).Analog[3] = 32;
    form->N12->trigger();
    const QStringList bytes = MemoLines(form->Memo6);
    ASSERT_EQ(bytes.size(), 26);
    EXPECT_EQ(bytes[1], QStringLiteral("2"));
    EXPECT_EQ(bytes[4], QStringLiteral("32"));
    EXPECT_EQ(bytes[23], QStringLiteral("0"));
}

using SettingsMenuTest = MainWindowTest;

TEST_F(SettingsMenuTest, AUnitChoiceRedrawsThePanelAndMovesTheCheckMarks) {
    EXPECT_TRUE(form->UnitItem(3, 1)->isChecked());
    EXPECT_TRUE(form->N3S1->isChecked());
    form->UnitItem(3, 3)->trigger();
    EXPECT_EQ(state().settings.KHH, IdleAirUnit::Steps);
    EXPECT_EQ(PanelLabel(3), QStringLiteral("3.А  Клапан ХХ(шаг):"));
    EXPECT_TRUE(form->UnitItem(3, 3)->isChecked());
    EXPECT_FALSE(form->UnitItem(3, 1)->isChecked());
    EXPECT_FALSE(form->N3S1->isChecked());

    form->UnitItem(5, 3)->trigger();
    EXPECT_EQ(state().settings.Vozduh, IntakeKind::MafPeriodMs);
    EXPECT_EQ(PanelLabel(5), QStringLiteral("5.А  MAF в мс:"));
    form->UnitItem(5, 4)->trigger();
    EXPECT_EQ(state().settings.Vozduh, IntakeKind::MafGramsPerSecond);
    EXPECT_TRUE(form->UnitItem(5, 4)->isChecked());
    EXPECT_FALSE(form->UnitItem(5, 3)->isChecked());

    form->UnitItem(6, 2)->trigger();
    EXPECT_EQ(PanelLabel(6), QStringLiteral("6.А  Темпер.ОЖ(Обр.):"));
    form->N3S1->trigger();
    EXPECT_EQ(state().settings, DisplaySettings{});
    EXPECT_TRUE(form->N3S1->isChecked());
    EXPECT_TRUE(form->UnitItem(5, 1)->isChecked());
    EXPECT_EQ(PanelLabel(5), QStringLiteral("5.А  MAP в кПа:"));
}

TEST_F(SettingsMenuTest, TheMenusHoldTheirItemsInOrder) {
    QStringList intake;
    for (QAction* item : form->UnitSubmenus[2].menu->actions())
        intake << (item->isSeparator() ? QStringLiteral("-") : Caption(item));
    EXPECT_EQ(intake, (QStringList{QStringLiteral("MAP давление, кПа"),
                                   QStringLiteral("MAP давление, мм.рт.ст."), QStringLiteral("-"),
                                   QStringLiteral("MAF массовый расход, гр/сек"),
                                   QStringLiteral("MAF поток KS,       мс"), QStringLiteral("-"),
                                   QStringLiteral("Напряжение на датчике, В")}));
    EXPECT_FALSE(form->N1GGTE1->isEnabled());
    EXPECT_FALSE(form->N1JZGTE1->isEnabled());
    QStringList top;
    for (QAction* item : form->menuBar()->actions()) top << Caption(item);
    EXPECT_EQ(top, (QStringList{QStringLiteral("Файл"), QStringLiteral("Настройки"),
                                QStringLiteral("Дополнител."), QStringLiteral("Справка")}));
}

TEST_F(SettingsMenuTest, TheDecimalSeparatorFollowsTheLocale) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    form->MemoDraw(1);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(PanelValue(2), QStringLiteral("-30,0 град."));
    form->MemoDraw(1);
    EXPECT_EQ(PanelValue(2), QStringLiteral("-30.0 град."));
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

using BigFontSwitchTest = MainWindowTest;

TEST_F(BigFontSwitchTest, TheBigFontWindowReplacesTheMainWindowAndGivesItBack) {
    MakeRecording(50, 20);
    form->N31->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(app->Window<TForm7>()->isVisible());
    EXPECT_EQ(app->Window<TForm7>()->ScrollBar1->maximum(), 50);
    EXPECT_EQ(app->Window<TForm7>()->ScrollBar1->value(), 20);
    EXPECT_EQ(app->Window<TForm7>()->Label34->text(), QStringLiteral("20 / 50"));

    app->Window<TForm7>()->ScrollBar1->setValue(30);
    EXPECT_EQ(form->ScrollBar1->value(), 30);
    EXPECT_EQ(app->Window<TForm7>()->Label34->text(), QStringLiteral("30 / 50"));
    EXPECT_NE(MemoLines(form->Memo2).value(24), QStringLiteral("30 / 50")); // not refreshed

    app->Window<TForm7>()->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(PanelValue(24), QStringLiteral("30 / 50"));
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

using WindowMenuTest = MainWindowTest;

TEST_F(WindowMenuTest, GraphsNeedFiveFrames) {
    MakeRecording(4, 4);
    form->N8->trigger();
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text,
              QStringLiteral("И что мы там хотим увидеть? Сначала считай не менее 5 кадров!"));
    EXPECT_FALSE(app->Window<TForm3>()->isVisible());
    MakeRecording(5, 5);
    form->N8->trigger();
    EXPECT_TRUE(app->Window<TForm3>()->isVisible());
    EXPECT_EQ(dialogs->messages.size(), 1u);
}

TEST_F(WindowMenuTest, HelpAndAboutOpenBesideTheMainWindow) {
    form->N9->trigger();
    form->N26->trigger();
    EXPECT_TRUE(app->Window<TForm4>()->isVisible());
    EXPECT_TRUE(app->Window<TForm5>()->isVisible());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(WindowMenuTest, TheCableCheckNeedsAPortAndReplacesTheMainWindow) {
    form->N32->trigger();
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text, QStringLiteral("Надо бы порт выбрать"));
    EXPECT_FALSE(app->Window<TForm8>()->isVisible());
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->N32->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(app->Window<TForm8>()->isVisible());
    app->Window<TForm8>()->close();
    // The main window comes back after a short pause.
    EXPECT_TRUE(WaitFor([&] { return form->isVisible(); }, 2000));
}

} // namespace
} // namespace qv::test
