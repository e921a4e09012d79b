#include "main_window_fixture.h"

#include "ui/form3_graph.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"
#include "ui/form8_cable.h"

namespace qv::test {
namespace {

TEST_F(MainWindowTest, StartsIdleOnTheAllZeroFrameOneOfOne) {
    EXPECT_EQ(state().StopFlag, 1);
    EXPECT_EQ(state().FrameCount, 2);
    EXPECT_EQ(form->ScrollBar1->minimum(), 1);
    EXPECT_EQ(form->ScrollBar1->maximum(), 1);
    EXPECT_EQ(form->ScrollBar1->value(), 1);
    EXPECT_EQ(PanelLabel(0), QStringLiteral("Идентификатор:"));
    EXPECT_EQ(PanelValue(0), QStringLiteral("000000000000"));
    EXPECT_EQ(PanelValue(23), QStringLiteral("нет"));
    EXPECT_EQ(PanelValue(24), QStringLiteral("1 / 1"));
    EXPECT_EQ(MemoLines(form->Memo1).size(), 26);
    EXPECT_EQ(MemoLines(form->Memo2).size(), 26);
    EXPECT_EQ(form->Button1->text(), QStringLiteral("Читать"));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Информационное поле"));
}

TEST_F(MainWindowTest, ListsThePortsWithoutChoosingOrOpeningOne) {
    ASSERT_EQ(form->ComboBox1->count(), 2);
    EXPECT_EQ(form->ComboBox1->itemText(0), QStringLiteral("/dev/ttyFAKE0"));
    EXPECT_EQ(form->ComboBox1->itemText(1), QStringLiteral("SIM"));
    EXPECT_TRUE(form->ComboBox1->currentText().isEmpty());
    EXPECT_TRUE(ports->calls.empty());
    EXPECT_FALSE(state().port.IsOpen());
}

TEST_F(MainWindowTest, CreatesTheOtherWindowsHidden) {
    EXPECT_TRUE(form->isVisible());
    for (QWidget* window : std::initializer_list<QWidget*>{
             app->Form3(), app->Form4(), app->Form5(), app->Form6(), app->Form7(), app->Form8()})
        EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Диагностика Toyota со старым протоколом"));
}

TEST_F(MainWindowTest, TheFirstTimerTickCommitsTheStartUpFrame) {
    // A second program left to its own timer.
    UiServices services;
    services.portSystem = std::make_shared<FakePortSystem>();
    services.dialogs = std::make_shared<ScriptedDialogs>();
    services.settingsPath = dir.filePath(QStringLiteral("other.ini"));
    services.closePauseMs = 0;
    QuintovarApp other(services);
    other.StartUp();
    EXPECT_EQ(other.State().FrameCount, 1);
    ASSERT_TRUE(WaitFor([&] { return other.State().FrameCount == 2; }));
    EXPECT_FALSE(other.Form1()->Timer1->isActive());
    EXPECT_EQ(MemoLines(other.Form1()->Memo2).value(24), QStringLiteral("1 / 1"));
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

// The port a reading started from is chosen and opened at the next start when the port list
// finds it again; otherwise the box stays empty and no port is opened.
TEST_F(MainWindowTest, TheLastReadingsPortIsChosenAgainWhenItIsThere) {
    const struct {
        const char* port;
        bool thereAgain;
    } cases[] = {{"SIM", true}, {"/dev/ttyFAKE0", true}, {"/dev/ttyFAKE0", false}};
    for (const auto& c : cases) {
        const QString port = QString::fromUtf8(c.port);
        form->ComboBox1->setEditText(port);
        form->ComboBox1Change();
        form->Button1Click();
        form->Button1Click();
        form->ComboBox1->setEditText(QStringLiteral("/dev/ttyFAKE1")); // chosen, never read from
        form->ComboBox1Change();
        form->close();
        TearDown();
        if (!c.thereAgain) absentPorts = {c.port};
        SetUp();
        absentPorts.clear();
        EXPECT_EQ(form->ComboBox1->currentText(), c.thereAgain ? port : QString()) << c.port;
        EXPECT_EQ(state().port.IsOpen(), c.thereAgain) << c.port;
        EXPECT_EQ(ports->calls.empty(), !c.thereAgain) << c.port;
        EXPECT_TRUE(dialogs->messages.empty()) << c.port;
    }
}

} // namespace
} // namespace qv::test
