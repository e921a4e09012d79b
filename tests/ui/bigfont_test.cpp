#include "main_window_fixture.h"

#include "recording/panel.h"

#include <QLabel>

#include <cstdlib>

namespace qv::test {
namespace {

class BigFontTest : public MainWindowTest {
protected:
    TForm7* big() { return app->Window<TForm7>(); }

    void Open() {
        form->N31Click();
        ASSERT_TRUE(big()->isVisible());
    }

    PanelLines ExpectedPanel(int n, int length) {
        return BuildPanel(state().store, n, length, state().settings, DecimalSeparator());
    }

    // The picture as it is on screen.
    QImage Picture(int row) { return big()->Images[row - 1]->grab().toImage(); }

    static int DarkPixels(const QImage& image, const QRect& area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(image.pixel(x, y)) < 60) ++count;
        return count;
    }
};

TEST_F(BigFontTest, OpensInPlaceOfTheMainWindowOnTheFrameOnScreen) {
    MakeRecording(50, 20);
    Open();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(big()->Label34->text(), QStringLiteral("20 / 50"));
    EXPECT_EQ(big()->ScrollBar1->maximum(), 50);
    EXPECT_EQ(big()->ScrollBar1->value(), 20);
    const PanelLines panel = ExpectedPanel(20, 50);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(big()->ValueLabels[k]->text(), QString::fromStdString(panel.values[k + 1])) << k;
}

TEST_F(BigFontTest, ItsScrollBarShowsTheFrameHere) {
    MakeRecording(50, 20);
    Open();
    big()->ScrollBar1->setValue(30);
    EXPECT_EQ(big()->ValueLabels[0]->text(),
              QString::fromStdString(ExpectedPanel(30, 50).values[1]));
}

TEST_F(BigFontTest, AHiddenWindowDoesNotSteerTheMainScrollBar) {
    MakeRecording(50, 20);
    big()->ScrollBar1->setValue(5);
    EXPECT_EQ(form->ScrollBar1->value(), 20);
    EXPECT_EQ(big()->Label34->text(), QStringLiteral("1/1")); // never refreshed while hidden
    form->Button5Click(); // its scroll bar still knows the recording's length
    EXPECT_EQ(big()->ScrollBar1->maximum(), 49);
    Open();
    EXPECT_EQ(big()->ScrollBar1->value(), 20);
}

TEST_F(BigFontTest, FlagPicturesFollowTheFrame) {
    MakeRecording(3, 1);
    state().store.Row(2).Flags12[1] = 1; // 12.1 is row 7, "Дрос.заслонка"
    state().store.Row(3).Flags12[1] = 0;
    Open();
    EXPECT_EQ(big()->FlagLabels[6]->text(), QStringLiteral("Дрос.заслонка"));

    big()->ScrollBar1->setValue(2);
    QImage set = Picture(7);
    ASSERT_EQ(set.size(), QSize(41, 25));
    EXPECT_EQ(QColor(set.pixel(3, 3)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(set.pixel(38, 21)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(set.pixel(0, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(set.pixel(40, 24)), QColor(Qt::black));
    EXPECT_GT(DarkPixels(set, {16, 3, 14, 19}), 10); // the digit
    EXPECT_EQ(DarkPixels(set, {2, 2, 12, 21}), 0);   // nothing left of it

    big()->ScrollBar1->setValue(3);
    const QImage clear = Picture(7);
    EXPECT_EQ(QColor(clear.pixel(3, 3)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(clear.pixel(0, 0)), QColor(Qt::black));
    EXPECT_GT(DarkPixels(clear, {16, 3, 14, 19}), 10);
    // "1" and "0" differ.
    EXPECT_NE(DarkPixels(set, {16, 3, 14, 19}), DarkPixels(clear, {16, 3, 14, 19}));
    // MakeRecording sets 12.3 (row 9) on even frames only.
    EXPECT_EQ(QColor(Picture(9).pixel(3, 3)), QColor(255, 0, 0));
    big()->ScrollBar1->setValue(2);
    EXPECT_EQ(QColor(Picture(9).pixel(3, 3)), QColor(0, 255, 0));
}

TEST_F(BigFontTest, ItsButtonsAreTheMainWindowsOnes) {
    MakeRecording(5, 2);
    Open();
    big()->Button3->click();
    EXPECT_EQ(big()->Button3->text(), QStringLiteral("#"));
    EXPECT_EQ(form->Button6->text(), QStringLiteral("#"));
    EXPECT_TRUE(form->Timer4->isActive());
    big()->Button3->click();
    EXPECT_EQ(big()->Button3->text(), QStringLiteral(">"));
    EXPECT_FALSE(form->Timer4->isActive());

    big()->Button2->click(); // no port chosen yet
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text, QStringLiteral("Надо бы порт выбрать"));

    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    big()->Button2->click();
    EXPECT_EQ(big()->Button2->text(), QStringLiteral("Стоп"));
    EXPECT_EQ(form->Button1->text(), QStringLiteral("Стоп"));
    EXPECT_EQ(state().StopFlag, 0);
    EXPECT_EQ(receiversStarted.size(), 1u);
    EXPECT_EQ(big()->Edit1->text(), QStringLiteral("Идёт считывание...."));
    EXPECT_TRUE(big()->isVisible()); // reading closes other windows, not this one

    big()->Button2->click();
    EXPECT_EQ(big()->Button2->text(), QStringLiteral("Читать"));
    EXPECT_EQ(form->Button1->text(), QStringLiteral("Читать"));
    EXPECT_EQ(big()->Edit1->text(), QStringLiteral("Чтение остановлено...."));
}

TEST_F(BigFontTest, FramesReadMeanwhileShowHereOnly) {
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    Open();
    big()->Button2->click();
    const QString mainValues = form->Memo2->toPlainText();
    LineFrame frame;
    frame.DataSamples[7] = 1;      // byte 1 = 128
    frame.DataSamples[11 * 8] = 1; // 12.0, "Стартер"
    CommitFrame(frame);
    CommitFrame(LineFrame{});
    EXPECT_EQ(big()->Label34->text(), QStringLiteral("2 / 2"));
    EXPECT_EQ(big()->ScrollBar1->maximum(), 2);
    EXPECT_EQ(QColor(Picture(6).pixel(3, 3)), QColor(255, 0, 0));
    EXPECT_EQ(form->Memo2->toPlainText(), mainValues); // the hidden panel is not redrawn
    big()->Button2->click();
    big()->ScrollBar1->setValue(1);
    EXPECT_EQ(QColor(Picture(6).pixel(3, 3)), QColor(0, 255, 0));
    EXPECT_EQ(big()->ValueLabels[0]->text(), QString::fromStdString(ExpectedPanel(1, 2).values[1]));
}

// The darkest colour drawn in a widget: its text colour.
QColor TextColour(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    QColor darkest(Qt::white);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() < darkest.lightness())
                darkest = image.pixelColor(x, y);
    return darkest;
}

// Glyph edges are antialiased, so the darkest pixel may differ from the pen by a step or two.
::testing::AssertionResult IsColour(const QColor& actual, const QColor& expected) {
    if (std::abs(actual.red() - expected.red()) <= 4 &&
        std::abs(actual.green() - expected.green()) <= 4 &&
        std::abs(actual.blue() - expected.blue()) <= 4)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << actual.name().toStdString() << " is not " << expected.name().toStdString();
}

TEST_F(BigFontTest, RowsShowTheirCaptionsInTheirPlacesAndColours) {
    Open();
    QStringList names, flags;
    for (const QLabel* label : big()->NameLabels) names << label->text();
    for (const QLabel* label : big()->FlagLabels) flags << label->text();
    EXPECT_EQ(names, (QStringList{
                         "Впрыск:", "Зажигание:", "Клапан ХХ:", "Обороты:", "MAP/MAF:", "Темп.ОЖ:",
                         "Дрос.засл:", "Скорость:", "Коррекция Л:", "Коррекция Пр:"}));
    EXPECT_EQ(flags, (QStringList{"Переоб.посл.зап.", "Холодный двиг.", "Детонация", "Обратн.связь",
                                  "Доп.обогащение", "Стартер", "Дрос.заслонка", "Кондиционер",
                                  "Нейтраль", "Смесь Л.", "Смесь Пр.", "Диагностика?"}));
    EXPECT_EQ(big()->NameLabels[0]->y(), 48);
    EXPECT_EQ(big()->FlagLabels[11]->y(), 400);
    const QColor blue(0, 0, 255), green(0, 128, 0), red(255, 0, 0);
    EXPECT_TRUE(IsColour(TextColour(big()->NameLabels[0]), blue));
    EXPECT_TRUE(IsColour(TextColour(big()->ValueLabels[0]), blue));
    EXPECT_TRUE(IsColour(TextColour(big()->NameLabels[1]), green));
    EXPECT_TRUE(IsColour(TextColour(big()->ValueLabels[2]), red));
    EXPECT_TRUE(IsColour(TextColour(big()->NameLabels[9]), blue));
    EXPECT_TRUE(IsColour(TextColour(big()->FlagLabels[0]), QColor(Qt::black)));
}

} // namespace
} // namespace qv::test
