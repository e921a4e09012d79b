#include "main_window_fixture.h"

#include "ui/form3_graph.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"
#include "ui/form8_cable.h"

namespace qv::test {
namespace {

TEST_F(MainWindowTest, StartsIdleOnTheAllZeroFrameOneOfOne) {
    EXPECT_FALSE(app->Session().Reading());
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
             app->Window<TForm3>(), app->Window<TForm4>(), app->Window<TForm5>(),
             app->Window<TForm6>(), app->Window<TForm7>(), app->Window<TForm8>()})
        EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Диагностика Toyota со старым протоколом"));
}

// The port a reading started from is chosen and opened at the next start when the port list
// finds it again; otherwise the box stays empty and no port is opened.
TEST_F(MainWindowTest, TheLastReadingsPortIsChosenAgainWhenItIsThere) {
    for (const auto& [port, there] : {std::pair{"SIM", true}, std::pair{"/dev/ttyFAKE0", true},
                                      std::pair{"/dev/ttyFAKE0", false}}) {
        for (const char* chosen : {port, "/dev/ttyFAKE1"}) { // the second never read from
            form->ComboBox1->setEditText(QString::fromUtf8(chosen));
            form->ComboBox1Change();
            if (chosen == port) form->Button1Click(), form->Button1Click(); // read, stop
        }
        form->close();
        TearDown();
        absentPorts = {there ? "" : port};
        SetUp();
        EXPECT_EQ(form->ComboBox1->currentText(), there ? QString::fromUtf8(port) : QString());
        EXPECT_EQ(state().port.IsOpen(), there) << port;
        EXPECT_EQ(ports->calls.empty(), !there) << port;
        EXPECT_TRUE(dialogs->messages.empty()) << port;
    }
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
    EXPECT_FALSE(other.Window<TForm1>()->Timer1->isActive());
    EXPECT_EQ(MemoLines(other.Window<TForm1>()->Memo2).value(24), QStringLiteral("1 / 1"));
}

} // namespace
} // namespace qv::test
