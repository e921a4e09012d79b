// Every function of the main window without a mouse: menus by Alt and their letter, the usual
// shortcuts, Tab through the controls, the frame scroll bar by its keys, the buttons by Space
// and Delete, and Escape closing the other windows.
#include "main_window_fixture.h"

#include "ui/form4_help.h"
#include "ui/mouse_button.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

// Qt Gui's entry for its own test library: a key goes to the shortcuts first, as from the
// keyboard.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k,
                                               Qt::KeyboardModifiers mods, const QString& text,
                                               bool autorep, ushort count);

namespace qv::test {
namespace {

class KeyboardTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        QApplication::setActiveWindow(form);
        form->ComboBox1->setFocus(); // where the focus is at start
    }

    // Presses and releases a key on the focused widget of the active window.
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QString text = {}) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        if (qt_sendShortcutOverrideEvent(target, 0, key, modifiers, text, false, 1)) return;
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(target, &release);
    }
    void PressLetter(QChar letter, Qt::KeyboardModifiers modifiers) {
        Press(letter.toUpper().unicode(), modifiers, QString(letter));
    }
};

TEST_F(KeyboardTest, AltAndALetterOpenEachMenuAndNeverTypeIntoThePortBox) {
    const std::pair<QChar, QMenu*> menus[] = {
        {u'ф', form->N1}, {u'н', form->N19}, {u'д', form->N5}, {u'с', form->N6}};
    for (const auto& [letter, menu] : menus) {
        form->ComboBox1->setFocus();
        PressLetter(letter, Qt::AltModifier);
        EXPECT_TRUE(menu->isVisible()) << Caption(menu->menuAction()).toStdString();
        menu->hide();
    }
    form->ComboBox1->setFocus();
    PressLetter(u'x', Qt::AltModifier);
    PressLetter(u'й', Qt::ControlModifier);
    EXPECT_TRUE(form->ComboBox1->currentText().isEmpty());
    EXPECT_TRUE(dialogs->messages.empty()); // no port named after a stray letter
    // Every item of a menu has its own letter.
    for (QMenu* menu : {form->N1, form->N19, form->UnitSubmenus[2].menu, form->N5, form->N6}) {
        QStringList letters;
        for (QAction* item : menu->actions()) {
            if (item->isSeparator()) continue;
            const qsizetype mark = item->text().indexOf(QLatin1Char('&'));
            ASSERT_GE(mark, 0) << item->text().toStdString();
            letters << item->text().mid(mark + 1, 1).toLower();
        }
        EXPECT_EQ(letters.removeDuplicates(), 0) << letters.join(',').toStdString();
    }
}

TEST_F(KeyboardTest, TheUsualShortcutsWorkWhileIdleAndWaitWhileReading) {
    Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs->openAsked, 1);
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs->saveAsked, 1);
    Press(Qt::Key_F1);
    EXPECT_TRUE(app->Window<TForm4>()->isVisible());
    app->Window<TForm4>()->close();

    QApplication::setActiveWindow(form);
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1->setFocus();
    Press(Qt::Key_Space); // "Читать"
    ASSERT_TRUE(app->Session().Reading());
    Press(Qt::Key_O, Qt::ControlModifier);
    Press(Qt::Key_F1);
    EXPECT_EQ(dialogs->openAsked, 1);
    EXPECT_FALSE(app->Window<TForm4>()->isVisible());
    Press(Qt::Key_Space); // "Стоп"
    EXPECT_FALSE(app->Session().Reading());

    Press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form->isVisible()); // the close sequence has run
}

TEST_F(KeyboardTest, TabReachesEveryControlAndTheScrollBarMovesByItsKeys) {
    MakeRecording(50, 10);
    std::set<QWidget*> reached;
    for (int i = 0; i < 40; ++i) {
        reached.insert(QApplication::focusWidget());
        Press(Qt::Key_Tab);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             form->ComboBox1, form->Button1, form->Button6, form->Button5, form->ScrollBar1,
             form->BitBtn[0], form->BitBtn[9]})
        EXPECT_TRUE(reached.count(control) || reached.count(control->focusProxy()))
            << control->metaObject()->className();

    form->ScrollBar1->setFocus();
    const std::pair<int, int> moves[] = {{Qt::Key_Right, 11},  {Qt::Key_PageDown, 21},
                                         {Qt::Key_Left, 20},   {Qt::Key_End, 50},
                                         {Qt::Key_PageUp, 40}, {Qt::Key_Home, 1}};
    for (const auto& [key, frame] : moves) {
        Press(key);
        EXPECT_EQ(app->View().Frame(), frame) << key;
    }
    EXPECT_EQ(PanelValue(24), QStringLiteral("1 / 50"));
}

TEST_F(KeyboardTest, MarkersAndSampleButtonsTakeSpaceAndDelete) {
    MakeRecording(50, 37);
    form->BitBtn[2]->setFocus();
    Press(Qt::Key_Space);
    EXPECT_EQ(form->BitBtn[2]->text(), QStringLiteral("37"));
    form->ScrollBar1->setValue(5);
    form->BitBtn[2]->setFocus();
    Press(Qt::Key_Space); // back to the marked frame
    EXPECT_EQ(app->View().Frame(), 37);
    Press(Qt::Key_Delete);
    EXPECT_EQ(form->BitBtn[2]->text(), QStringLiteral("0"));
    Press(Qt::Key_F10, Qt::ShiftModifier); // the right button's other key: still empty
    EXPECT_EQ(form->BitBtn[2]->text(), QStringLiteral("0"));
}

TEST_F(KeyboardTest, EscapeClosesEveryOtherWindow) {
    MakeRecording(10, 10);
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->ComboBox1Change();
    // Graph, help, About, comment, big font, cable check, live graph.
    for (QAction* item :
         {form->N8, form->N9, form->N26, form->N28, form->N31, form->N32, form->LiveGraphItem}) {
        const std::string name = Caption(item).toStdString();
        item->trigger();
        QWidget* window = nullptr; // the one it opened
        for (QWidget* other : QApplication::topLevelWidgets())
            if (other != form && other->isVisible() && !qobject_cast<QMenu*>(other)) window = other;
        ASSERT_NE(window, nullptr) << name;
        QApplication::setActiveWindow(window);
        window->setFocus();
        Press(Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible()) << name;
        ASSERT_TRUE(WaitFor([&] { return form->isVisible(); })) << name; // it comes back
    }
}

} // namespace
} // namespace qv::test
