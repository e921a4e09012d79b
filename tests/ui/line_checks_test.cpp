#include "main_window_fixture.h"

#include "ui/form8_cable.h"

#include <QLabel>

#include <thread>

namespace qv::test {
namespace {

// The timing check with its thread replaced: the test holds the callbacks.
class FakeTimingCheckTest : public MainWindowTest {
protected:
    void SetUp() override {
        timingCheckStarter = [this](ProgramState&, const std::string& separator,
                                    TimingCheckCallbacks callbacks) {
            separators.push_back(separator);
            checks.push_back(std::move(callbacks));
            return true;
        };
        MainWindowTest::SetUp();
    }

    std::vector<std::string> separators;
    std::vector<TimingCheckCallbacks> checks;
};

TEST_F(FakeTimingCheckTest, TheReportComesFromTheCheckThreadThroughTimer3) {
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->N25->trigger();
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_EQ(separators[0], DecimalSeparator());

    const std::string report = "Средняя неточность отсчёта - 0,0123мс. Мах - 1,5000мс. При "
                               "неточности 2 и более мс. возможны сбои.";
    std::thread worker([&] { checks[0].reportReady(report); });
    worker.join();
    EXPECT_FALSE(form->Timer3->isActive()); // nothing happens on the check's thread
    ASSERT_TRUE(WaitFor([&] { return form->Timer3->isActive(); }));
    EXPECT_EQ(form->Timer3->interval(), 100);
    EXPECT_TRUE(dialogs->messages.empty());
    ASSERT_TRUE(WaitFor([&] { return !dialogs->messages.empty(); }));
    EXPECT_FALSE(form->Timer3->isActive());
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text, QString::fromStdString(report));
}

TEST_F(FakeTimingCheckTest, NoCounterIsTold) {
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->N25Click();
    ASSERT_EQ(checks.size(), 1u);
    std::thread worker([&] { checks[0].noCounter(); });
    worker.join();
    ASSERT_TRUE(
        WaitFor([&] { return form->Edit1->text() == QStringLiteral("Однако не хотит:)"); }));
    EXPECT_EQ(app->Window<TForm7>()->Edit1->text(), QStringLiteral("Однако не хотит:)"));
    EXPECT_FALSE(form->Timer3->isActive());
    EXPECT_TRUE(dialogs->messages.empty());
}

// The real check: about one second on a fake port.
TEST_F(MainWindowTest, ASecondTimingCheckIsRefusedWhileTheFirstMeasures) {
    form->ComboBox1->setCurrentIndex(0);
    emit form->ComboBox1->textActivated(form->ComboBox1->currentText());
    form->N25Click();
    EXPECT_TRUE(state().TimingCheckRunning);
    form->N25Click(); // refused: the first one still measures
    ASSERT_TRUE(WaitFor([&] { return !dialogs->messages.empty(); }, 10000));
    EXPECT_TRUE(
        dialogs->messages[0].text.startsWith(QStringLiteral("Средняя неточность отсчёта - ")));
    EXPECT_TRUE(dialogs->messages[0].text.endsWith(
        QStringLiteral("мс. При неточности 2 и более мс. возможны сбои.")));
    EXPECT_FALSE(WaitFor([&] { return dialogs->messages.size() > 1; }, 400));
    EXPECT_FALSE(state().TimingCheckRunning);
}

class CableCheckTest : public MainWindowTest {
protected:
    TForm8* cable() { return app->Window<TForm8>(); }
    QString Digit() { return cable()->Label1->text(); }
    void ChoosePort() {
        form->ComboBox1->setCurrentIndex(0);
        emit form->ComboBox1->textActivated(form->ComboBox1->currentText());
    }
    // One tick of Timer1 and the digit after the blank.
    void Tick() {
        cable()->Timer1Timer();
        EXPECT_EQ(Digit(), QStringLiteral(" "));
        EXPECT_TRUE(cable()->DigitTimer->isActive());
        EXPECT_TRUE(WaitFor([&] { return !cable()->DigitTimer->isActive(); }));
    }
};

TEST_F(CableCheckTest, WithoutAPortOnlyAsksForOne) {
    form->N32->trigger();
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text, QStringLiteral("Надо бы порт выбрать"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(cable()->isVisible());
}

TEST_F(CableCheckTest, StartStopAndTheDigit) {
    ChoosePort();
    form->N32->trigger();
    EXPECT_FALSE(form->isVisible());
    ASSERT_TRUE(cable()->isVisible());
    EXPECT_EQ(cable()->Button1->text(), QStringLiteral("Начать проверку"));
    EXPECT_EQ(Digit(), QStringLiteral("0"));
    EXPECT_FALSE(cable()->Timer1->isActive());
    QStringList instruction; // in bold, top to bottom
    for (const QLabel* line : cable()->findChildren<QLabel*>())
        if (line != cable()->Label1 && line->font().bold()) instruction << line->text();
    EXPECT_EQ(instruction, (QStringList{"На подключёном кабеле", "необходимо подавать +5 вольт",
                                        "на контакт, который будет", "подключен к Vf1.",
                                        "Если при подаче +5 вольт", "загорается 1 - то кабель без",
                                        "инверсии, если 0 - то с инверсией."}));

    cable()->Button1->click();
    EXPECT_EQ(cable()->Button1->text(), QStringLiteral("Остановить проверку"));
    EXPECT_TRUE(cable()->Timer1->isActive());
    EXPECT_EQ(cable()->Timer1->interval(), 100);

    ports->modemWord = 0x20; // +5 V on a straight cable: DSR on
    Tick();
    EXPECT_EQ(Digit(), QStringLiteral("1"));
    ports->modemWord = 0;
    Tick();
    EXPECT_EQ(Digit(), QStringLiteral("0"));
    ports->modemWord = 0x80; // any line on counts
    Tick();
    EXPECT_EQ(Digit(), QStringLiteral("1"));

    cable()->Button1->click();
    EXPECT_EQ(cable()->Button1->text(), QStringLiteral("Начать проверку"));
    EXPECT_FALSE(cable()->Timer1->isActive());
    ports->modemWord = 0;
    EXPECT_FALSE(WaitFor([&] { return Digit() != QStringLiteral("1"); }, 250));
}

TEST_F(CableCheckTest, TheTimerDrivesTheDigit) {
    ChoosePort();
    form->N32Click();
    ports->modemWord = 0x20;
    cable()->Button1Click();
    EXPECT_TRUE(WaitFor([&] { return Digit() == QStringLiteral("1"); }, 1000));
    ports->modemWord = 0;
    EXPECT_TRUE(WaitFor([&] { return Digit() == QStringLiteral("0"); }, 1000));
}

TEST_F(CableCheckTest, ClosingStopsAndBringsTheMainWindowBackAfterAPause) {
    ChoosePort();
    form->N32Click();
    cable()->Button1Click();
    ports->modemWord = 0x20;
    Tick();
    cable()->close();
    EXPECT_FALSE(cable()->isVisible());
    EXPECT_FALSE(cable()->Timer1->isActive());
    EXPECT_EQ(cable()->Button1->text(), QStringLiteral("Начать проверку"));
    EXPECT_FALSE(form->isVisible()); // not yet: the main window returns after 500 ms
    EXPECT_TRUE(cable()->ReturnTimer->isActive());
    EXPECT_TRUE(cable()->ReturnTimer->isSingleShot());
    EXPECT_EQ(cable()->ReturnTimer->interval(), 500);
    ASSERT_TRUE(WaitFor([&] { return form->isVisible(); }, 2000));

    form->N32Click(); // opens idle, with the digit last shown
    EXPECT_TRUE(cable()->isVisible());
    EXPECT_EQ(cable()->Button1->text(), QStringLiteral("Начать проверку"));
    EXPECT_EQ(Digit(), QStringLiteral("1"));
}

TEST_F(CableCheckTest, AFailedReadShowsZero) {
    form->ComboBox1->setEditText(QStringLiteral("COM9")); // typed from code: nothing is open
    form->N32Click();
    ASSERT_TRUE(cable()->isVisible());
    ports->modemWord = 0x20;
    cable()->Button1Click();
    Tick();
    EXPECT_EQ(Digit(), QStringLiteral("0"));
}

} // namespace
} // namespace qv::test
