// "Живой график" during a reading from "SIM": it follows the frames, stays open through "Стоп"
// and "Читать", moves the frame on screen when idle, keeps its picture and its choices.
#include "main_window_fixture.h"

#include "ui/form9_live.h"
#include "ui/live_drawing.h"

#include <QCheckBox>
#include <QKeyEvent>

namespace qv::test {
namespace {

using LiveGraphTest = MainWindowTest;

// Data byte 1 (the injection time) is `value`.
LineFrame Injection(int value) {
    LineFrame frame;
    for (int k = 0; k < 8; ++k) frame.DataSamples[k] = (value >> k) & 1;
    return frame;
}

TEST_F(LiveGraphTest, FollowsAReadingThroughStopAndStartAndMovesTheFrameWhenIdle) {
    TForm9* live = app->Window<TForm9>();
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1Click();
    ASSERT_TRUE(form->LiveGraphItem->isEnabled());
    form->LiveGraphItem->trigger();
    ASSERT_TRUE(live->isVisible());
    EXPECT_EQ(state().StopFlag, 0); // opening it left the reading running

    for (int n = 1; n <= 30; ++n) {
        CommitFrame(Injection(4 * n));
        const LiveScene& scene = live->Scene();
        EXPECT_EQ(scene.span, (LiveSpan{1, n}));
        ASSERT_EQ(scene.series.size(), 4u);
        EXPECT_EQ(QString::fromStdString(scene.series[1].value.text), PanelValue(1));
        EXPECT_EQ(scene.series[1].points.back().x, scene.plot.Right()); // the newest at the right
        EXPECT_EQ(scene.cursorX, -1);
    }
    EXPECT_EQ(live->Picture().size(), live->Drawing->size());
    const LiveSeriesView& coolant = live->Scene().series.back(); // drawn last
    const LivePoint newest = coolant.points.back();
    EXPECT_EQ(live->Picture().pixel(newest.x, newest.y), 0xFF000000 | coolant.rgb);

    form->Button1Click(); // "Стоп"
    EXPECT_TRUE(live->isVisible());
    EXPECT_GE(live->Scene().cursorX, 0);
    live->DrawingClick(LiveFrameX(live->Scene().plot, live->Scene().span, 12));
    EXPECT_EQ(PanelValue(24), QStringLiteral("12 / 30"));
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(live->Drawing, &left);
    EXPECT_EQ(PanelValue(24), QStringLiteral("11 / 30"));
    EXPECT_EQ(QString::fromStdString(live->Scene().series[1].value.text), PanelValue(1));

    form->Button1Click(); // "Читать"
    EXPECT_TRUE(live->isVisible());
    EXPECT_EQ(state().StopFlag, 0);
    QApplication::sendEvent(live->Drawing, &left); // no frame moves while reading
    EXPECT_EQ(PanelValue(24), QStringLiteral("11 / 30"));
}

TEST_F(LiveGraphTest, SavesItsPictureWithALegendAndItsChoicesReturnAfterARestart) {
    MakeRecording(300, 300);
    TForm9* live = app->Window<TForm9>();
    form->LiveGraphItem->trigger();
    live->SeriesList[4]->setCurrentIndex(8); // 8.А  Скорость
    live->DataScale[4]->setChecked(true);
    live->FlagItems[11]->trigger();
    live->SpanList->setCurrentIndex(5); // все
    live->resize(1000, 640);
    EXPECT_EQ(live->Scene().span, (LiveSpan{1, 300}));
    ASSERT_EQ(live->Scene().lanes.size(), 4u);

    const QString file = dir.filePath(QStringLiteral("live.png"));
    dialogs->pictureAnswers.push_back(file);
    live->SaveButton->click();
    const QImage saved = QImage(file).convertToFormat(QImage::Format_RGB32);
    const QImage& drawing = live->Picture();
    int top = 0; // the drawing stands whole below the legend
    while (top + drawing.height() <= saved.height() &&
           saved.copy(8, top, drawing.width(), drawing.height()) != drawing)
        ++top;
    EXPECT_LE(top + drawing.height(), saved.height()) << "the drawing is not in the picture";
    EXPECT_GT(top, 0);
    EXPECT_TRUE(dialogs->messages.empty());

    const LiveChoices choices = live->Choices();
    form->close(); // the program ends and keeps the choices
    TForm9 again({state(), app->View(), form->Services(), app->Session()});
    EXPECT_EQ(again.Choices(), choices);
    EXPECT_EQ(again.size(), QSize(1000, 640));
}

} // namespace
} // namespace qv::test
