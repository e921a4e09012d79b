#include "main_window_fixture.h"

#include "files/recording_file.h"
#include "recording/graph_span.h"
#include "ui/form3_graph.h"
#include "ui/graph_image.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

// Qt Gui's entry for its own test library: a key goes to the shortcuts first, as from the
// keyboard.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k,
                                               Qt::KeyboardModifiers mods, const QString& text,
                                               bool autorep, ushort count);

namespace qv::test {
namespace {

class GraphWindowTest : public MainWindowTest {
protected:
    TForm3* graph() { return app->Window<TForm3>(); }

    // A recording of `length` frames shown at `position`, then "Графики".
    void Open(int length, int position) {
        MakeRecording(length, position);
        form->N8->trigger();
        ASSERT_TRUE(graph()->isVisible());
    }
    QStringList SpanList() {
        QStringList entries;
        for (int i = 0; i < graph()->ComboBox[8]->count(); ++i)
            entries << graph()->ComboBox[8]->itemText(i);
        return entries;
    }
    // The user types `text` into the span list (every keystroke counts; the last one here).
    void TypeSpan(const QString& text) {
        QLineEdit* edit = graph()->ComboBox[8]->lineEdit();
        edit->setText(text);
        emit edit->textEdited(text);
    }
    // The user picks item `k` of series list n.
    void PickSeries(int n, int k) {
        QComboBox* list = graph()->ComboBox[n];
        list->setCurrentIndex(k);
        emit list->textActivated(list->itemText(k));
    }
    void TypeSeries(int n, const QString& text) {
        QLineEdit* edit = graph()->ComboBox[n]->lineEdit();
        edit->setText(text);
        emit edit->textEdited(text);
    }
    int Start() { return graph()->ScrollBar1->value(); }
    int Cursor() { return graph()->TrackBar1->value(); }
    int MainFrame() { return form->ScrollBar1->value(); }
    QString Text(int label) { return graph()->Label[label]->text(); }
};

TEST_F(GraphWindowTest, IsAFixedWindowWithItsControlsInPlace) {
    TForm3* g = graph();
    EXPECT_EQ(g->windowTitle(), QStringLiteral("Граф 5"));
    EXPECT_EQ(g->size(), QSize(734, 344));
    EXPECT_EQ(g->minimumSize(), g->maximumSize());
    EXPECT_EQ(g->pos(), QPoint(404, 136));
    EXPECT_EQ(g->Image1->geometry(), QRect(64, 112, 601, 201));
    EXPECT_EQ(g->ScrollBar1->geometry(), QRect(64, 320, 601, 17));
    EXPECT_EQ(g->TrackBar1->geometry(), QRect(52, 80, 624, 25));
    EXPECT_EQ(g->SpeedButton[5]->geometry(), QRect(364, 28, 25, 17));
    EXPECT_EQ(g->ComboBox[3]->geometry().topLeft(), QPoint(32, 52));
    EXPECT_EQ(g->ComboBox[8]->geometry().topLeft(), QPoint(672, 126));
    EXPECT_EQ(g->Label[14]->pos(), QPoint(608, 56));
    EXPECT_EQ(g->Label[20]->pos(), QPoint(8, 169));
    EXPECT_EQ(g->Label[21]->pos(), QPoint(672, 168));
    EXPECT_EQ(g->Label[32]->pos(), QPoint(8, 305));
    EXPECT_EQ(g->Label[33]->text(), QStringLiteral("Кадр"));
    EXPECT_EQ(g->Label[2]->text(), QStringLiteral("Масштаб"));
    EXPECT_EQ(g->Button1->text(), QStringLiteral("-1"));
    EXPECT_EQ(g->Button2->text(), QStringLiteral("+1"));
    EXPECT_EQ(g->SpeedButton[1]->text(), QStringLiteral("Цв"));
    EXPECT_EQ(g->Label[1]->font().pixelSize(), 16);
    EXPECT_TRUE(g->Label[9]->font().bold());
    EXPECT_EQ(g->ScrollBar1->pageStep(), 20);
    EXPECT_EQ(Cursor(), 50);
    EXPECT_EQ(g->GraphSpan, 0);
}

TEST_F(GraphWindowTest, OpeningShowsTheWholeRecording) {
    Open(1000, 1000);
    EXPECT_EQ(graph()->windowTitle(), QStringLiteral("Графики  с 1 по 1000 кадр"));
    EXPECT_EQ(graph()->GraphSpan, 1000);
    EXPECT_EQ(graph()->ScrollBar1->minimum(), 1);
    EXPECT_EQ(graph()->ScrollBar1->maximum(), 1);
    EXPECT_EQ(graph()->TrackBar1->maximum(), 999);
    EXPECT_EQ(Cursor(), 500);
    EXPECT_EQ(Text(1), QStringLiteral("501"));
    EXPECT_EQ(MainFrame(), 501); // the main window shows the cursor frame
    EXPECT_EQ(graph()->ComboBox[8]->currentText(), QStringLiteral("1000"));
    // The lists are refilled with no series selected, and every series label is hidden.
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(graph()->ComboBox[n]->count(), 22) << n;
        EXPECT_EQ(graph()->ComboBox[n]->currentText(), QString()) << n;
        EXPECT_FALSE(graph()->Label[n + 8]->isVisible()) << n;
    }
    EXPECT_EQ(graph()->ComboBox[1]->itemText(0), PanelLabel(1));
    EXPECT_EQ(graph()->ComboBox[6]->itemText(21), PanelLabel(22));
    EXPECT_EQ(graph()->Image1->Picture(), graph()->GraphBitmap());
}

TEST_F(GraphWindowTest, SpanListFollowsTheLength) {
    Open(5, 5);
    EXPECT_EQ(SpanList(), QStringList{"5"});
    EXPECT_EQ(graph()->TrackBar1->maximum(), 4);
    EXPECT_EQ(Cursor(), 3);
    EXPECT_EQ(Text(1), QStringLiteral("4"));
    graph()->close();
    Open(10, 1);
    EXPECT_EQ(SpanList(), (QStringList{"5", "10", "10"}));
    graph()->close();
    Open(2000, 1);
    EXPECT_EQ(SpanList().mid(7), (QStringList{"1000", "2000", "2000"}));
}

TEST_F(GraphWindowTest, SpanCentresOnTheMainFrame) {
    struct Case {
        int frame, start, cursor;
    };
    for (const Case& c : {Case{500, 450, 50}, Case{30, 1, 29}, Case{990, 901, 89}}) {
        Open(1000, 1000);
        form->ScrollBar1->setValue(c.frame);
        TypeSpan(QStringLiteral("100"));
        EXPECT_EQ(Start(), c.start) << c.frame;
        EXPECT_EQ(Cursor(), c.cursor) << c.frame;
        EXPECT_EQ(MainFrame(), c.frame);
        EXPECT_EQ(graph()->ScrollBar1->minimum(), 1);
        EXPECT_EQ(graph()->ScrollBar1->maximum(), 901);
        EXPECT_EQ(graph()->ScrollBar1->pageStep(), 20);
        EXPECT_EQ(graph()->TrackBar1->maximum(), 99);
        EXPECT_EQ(graph()->windowTitle(),
                  QStringLiteral("Графики  с %1 по %2 кадр").arg(c.start).arg(c.start + 99));
        EXPECT_EQ(Text(1), QString::number(c.frame));
        graph()->close();
    }
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(GraphWindowTest, SpanTextIsCheckedAndClamped) {
    Open(1000, 1000);
    form->ScrollBar1->setValue(500);
    TypeSpan(QStringLiteral("5000"));
    EXPECT_EQ(graph()->GraphSpan, 1000);
    EXPECT_EQ(graph()->ComboBox[8]->currentText(), QStringLiteral("1000"));
    TypeSpan(QStringLiteral("100"));
    const QImage before = graph()->GraphBitmap();
    for (const QString& bad : {QStringLiteral("abc"), QString(), QStringLiteral("-")}) {
        TypeSpan(bad);
        ASSERT_FALSE(dialogs->messages.empty());
        EXPECT_EQ(dialogs->messages.back().text.toStdString(),
                  SpanRejectedText(bad.toStdString(), 1000));
        EXPECT_EQ(graph()->GraphSpan, 100);
        EXPECT_EQ(graph()->ScrollBar1->maximum(), 901);
        EXPECT_EQ(graph()->TrackBar1->maximum(), 99);
        EXPECT_EQ(graph()->GraphBitmap(), before);
    }
    EXPECT_EQ(dialogs->messages.size(), 3u);
    // Numbers below two give the smallest span, silently; the typed text stays while typing,
    // so that "1" can go on to "10", and shows the span once editing ends.
    for (const QString& low : {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("-5")}) {
        TypeSpan(low);
        EXPECT_EQ(graph()->GraphSpan, 2) << low.toStdString();
        EXPECT_EQ(graph()->TrackBar1->maximum(), 1);
        EXPECT_EQ(graph()->ComboBox[8]->currentText(), low);
    }
    emit graph()->ComboBox[8]->lineEdit()->editingFinished();
    EXPECT_EQ(graph()->ComboBox[8]->currentText(), QStringLiteral("2"));
    EXPECT_EQ(graph()->windowTitle(), QStringLiteral("Графики  с 499 по 500 кадр"));
    TypeSpan(QStringLiteral("1"));
    TypeSpan(QStringLiteral("10"));
    EXPECT_EQ(graph()->GraphSpan, 10);
    EXPECT_EQ(dialogs->messages.size(), 3u);
    // Picking from the list works as typing.
    QComboBox* list = graph()->ComboBox[8];
    list->setCurrentIndex(list->findText(QStringLiteral("20")));
    emit list->textActivated(QStringLiteral("20"));
    EXPECT_EQ(graph()->GraphSpan, 20);
    EXPECT_EQ(graph()->ScrollBar1->pageStep(), 4);
}

TEST_F(GraphWindowTest, DeletingUnderARejectedSpanTextStaysWithinTheRecording) {
    Open(200, 200); // span 200
    form->ScrollBar1->setValue(200);
    TypeSpan(QStringLiteral("x"));
    ASSERT_EQ(dialogs->messages.size(), 1u);
    form->Button5Click(); // the last frame
    EXPECT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(graph()->GraphSpan, 199);
    EXPECT_EQ(graph()->ComboBox[8]->currentText(), QStringLiteral("199"));
    EXPECT_EQ(graph()->windowTitle(), QStringLiteral("Графики  с 1 по 199 кадр"));
    EXPECT_EQ(graph()->TrackBar1->maximum(), 198);
    graph()->Button2->click(); // "+1" at the last frame goes nowhere
    EXPECT_EQ(Start() + Cursor(), 199);
    EXPECT_EQ(MainFrame(), 199);

    TypeSpan(QStringLiteral("50"));
    form->ScrollBar1->setValue(20);
    TypeSpan(QStringLiteral("x"));
    form->Button5Click(); // frame 20 of 199: the span of 50 stays, its ranges follow
    EXPECT_EQ(graph()->GraphSpan, 50);
    EXPECT_EQ(graph()->ScrollBar1->maximum(), 149);
    EXPECT_EQ(Start() + Cursor(), 20);
    EXPECT_EQ(PanelValue(24), QStringLiteral("20 / 198"));
}

TEST_F(GraphWindowTest, CursorButtonsStepWithinTheSpan) {
    Open(1000, 1000);
    form->ScrollBar1->setValue(30);
    TypeSpan(QStringLiteral("100"));
    graph()->Button2->click();
    EXPECT_EQ(Cursor(), 30);
    EXPECT_EQ(MainFrame(), 31);
    EXPECT_EQ(Text(1), QStringLiteral("31"));
    graph()->TrackBar1->setValue(0);
    EXPECT_EQ(MainFrame(), 1);
    graph()->Button1->click();
    EXPECT_EQ(Cursor(), 0);
    graph()->TrackBar1->setValue(99);
    graph()->Button2->click();
    EXPECT_EQ(Cursor(), 99);
    EXPECT_EQ(MainFrame(), 100);
}

TEST_F(GraphWindowTest, ScrollingTheSpanMovesTheMainFrameAlong) {
    Open(1000, 1000);
    form->ScrollBar1->setValue(500);
    TypeSpan(QStringLiteral("100"));
    graph()->ScrollBar1->setValue(451);
    EXPECT_EQ(Cursor(), 50);
    EXPECT_EQ(MainFrame(), 501);
    EXPECT_EQ(graph()->windowTitle(), QStringLiteral("Графики  с 451 по 550 кадр"));
    EXPECT_EQ(PanelValue(24), QStringLiteral("501 / 1000"));
}

TEST_F(GraphWindowTest, TheSpanFollowsTheMainFrame) {
    Open(1000, 1000);
    form->ScrollBar1->setValue(500);
    TypeSpan(QStringLiteral("100")); // span 450..549, cursor 50
    form->ScrollBar1->setValue(520); // inside: only the cursor moves
    EXPECT_EQ(Start(), 450);
    EXPECT_EQ(Cursor(), 70);
    form->ScrollBar1->setValue(700); // beyond the end: the span ends on the frame
    EXPECT_EQ(Start(), 601);
    EXPECT_EQ(Cursor(), 99);
    EXPECT_EQ(MainFrame(), 700); // the frame the user chose stays
    EXPECT_EQ(Text(1), QStringLiteral("700"));
    form->ScrollBar1->setValue(200); // before the start: the span starts on it
    EXPECT_EQ(Start(), 200);
    EXPECT_EQ(Cursor(), 0);
    EXPECT_EQ(MainFrame(), 200);
}

TEST_F(GraphWindowTest, PlaybackStepsTheCursorThenTheSpan) {
    Open(1000, 1000);
    form->ScrollBar1->setValue(548);
    TypeSpan(QStringLiteral("100")); // 498..597, cursor 50
    graph()->TrackBar1->setValue(98);
    form->Timer4Timer();
    EXPECT_EQ(Cursor(), 99);
    EXPECT_EQ(MainFrame(), 597);
    form->Timer4Timer();
    EXPECT_EQ(Start(), 499);
    EXPECT_EQ(Cursor(), 99);
    EXPECT_EQ(MainFrame(), 598);
}

TEST_F(GraphWindowTest, SavesAndCopiesThePictureWithItsLegend) {
    state().SeriesColours[0] = 0x0000FF; // red, 0x00BBGGRR
    state().SeriesColours[1] = 0xFF0000; // blue
    Open(300, 150);
    PickSeries(1, 0);
    PickSeries(2, 3);
    ASSERT_EQ(graph()->Image1->actions(),
              (QList<QAction*>{graph()->SavePicture, graph()->CopyPicture}));
    const QString file = dir.filePath(QStringLiteral("graph.png"));
    dialogs->pictureAnswers.push_back(file);
    graph()->SavePicture->trigger();
    const QImage saved = QImage(file).convertToFormat(QImage::Format_RGB32);
    const QImage& plot = graph()->GraphBitmap();
    // The window's picture stands whole below the legend, whose squares show both colours.
    int top = 1;
    while (top + plot.height() <= saved.height() &&
           saved.copy(8, top, plot.width(), plot.height()) != plot)
        ++top;
    ASSERT_LE(top + plot.height(), saved.height()) << "the plot is not in the picture";
    for (const QRgb colour : {qRgb(0xFF, 0, 0), qRgb(0, 0, 0xFF)}) {
        int pixels = 0;
        for (int y = 0; y < top; ++y)
            for (int x = 0; x < saved.width(); ++x) pixels += saved.pixel(x, y) == colour;
        EXPECT_GT(pixels, 25) << std::hex << colour;
    }
    EXPECT_TRUE(dialogs->messages.empty());

    // Ctrl+C with the focus on the cursor's track bar puts the same picture on the clipboard.
    QApplication::clipboard()->clear();
    QApplication::setActiveWindow(graph());
    graph()->TrackBar1->setFocus();
    EXPECT_TRUE(qt_sendShortcutOverrideEvent(graph()->TrackBar1, 0, Qt::Key_C, Qt::ControlModifier,
                                             QStringLiteral("c"), false, 1));
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), saved);
    EXPECT_EQ(Cursor(), 150); // nothing else moved
}

} // namespace
} // namespace qv::test
