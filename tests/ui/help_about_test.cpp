#include "main_window_fixture.h"

#include "recording/help_text.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"

#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace qv::test {
namespace {

using HelpAboutTest = MainWindowTest;

TEST_F(HelpAboutTest, TheHelpWindowShowsTheGuideAndKeepsItsPlace) {
    TForm4* help = app->Window<TForm4>();
    app->Session().Start(NowLocalDateTime()); // the item ends a reading first
    form->N9->trigger();
    EXPECT_FALSE(app->Session().Reading());
    ASSERT_TRUE(help->isVisible());
    EXPECT_TRUE(form->isVisible()); // not modal, the main window stays
    EXPECT_FALSE(help->isModal());
    EXPECT_TRUE(help->Memo1->isReadOnly());
    const QStringList lines = help->Memo1->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 48);
    for (int i = 0; i < 48; ++i)
        EXPECT_EQ(lines[i], QString::fromStdString(HelpLines()[i])) << i + 1;

    QScrollBar* bar = help->Memo1->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0); // the guide is longer than the box
    bar->setValue(bar->maximum() / 2);
    const int place = bar->value();
    help->close();
    EXPECT_FALSE(help->isVisible());
    form->N9->trigger();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(bar->value(), place);
}

TEST_F(HelpAboutTest, TheAboutWindowShowsItsFiveLabelsWhole) {
    TForm5* about = app->Window<TForm5>();
    form->N26->trigger();
    ASSERT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("О программе"));
    EXPECT_EQ(about->size(), QSize(363, 186));
    const QList<QLabel*> labels = about->findChildren<QLabel*>();
    EXPECT_EQ(labels.size(), 5);
    for (const QLabel* label : labels) { // the whole text fits its label, inside the window
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_TRUE(about->rect().contains(label->geometry())) << label->text().toStdString();
    }
    about->close();
    EXPECT_FALSE(about->isVisible());
}

TEST_F(HelpAboutTest, StartingAReadingClosesBoth) {
    form->N9Click();
    form->N26Click();
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1Click();
    EXPECT_FALSE(app->Window<TForm4>()->isVisible());
    EXPECT_FALSE(app->Window<TForm5>()->isVisible());
    EXPECT_FALSE(form->N6->menuAction()->isEnabled()); // "Справка" is locked while reading
}

} // namespace
} // namespace qv::test
