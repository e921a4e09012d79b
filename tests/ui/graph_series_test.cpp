#include "main_window_fixture.h"

#include "files/recording_file.h"
#include "files/settings_file.h"
#include "ui/form3_graph.h"
#include "ui/graph_image.h"
#include "ui/mouse_button.h"
#include "ui/render/graph_render.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

namespace qv::test {
namespace {

class GraphSeriesTest : public MainWindowTest {
protected:
    TForm3* graph() { return app->Window<TForm3>(); }
    void Open(int length, int position) {
        MakeRecording(length, position);
        form->N8->trigger();
        ASSERT_TRUE(graph()->isVisible());
    }
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
    void TypeSpan(const QString& text) {
        QLineEdit* edit = graph()->ComboBox[8]->lineEdit();
        edit->setText(text);
        emit edit->textEdited(text);
    }
    QString Text(int label) { return graph()->Label[label]->text(); }
    bool Shown(int label) { return graph()->Label[label]->isVisible(); }
    int MainFrame() { return form->ScrollBar1->value(); }
    static QString Decimal() { return QString::fromStdString(DecimalSeparator()); }
    // Whether the label's text, as the window draws it on screen, is in this colour: some of
    // its pixels have it and none is dark grey or black.
    bool TextOnScreenIn(int label, const QColor& colour) {
        const QImage image = graph()->grab(graph()->Label[label]->geometry()).toImage();
        bool coloured = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel.rgb() == colour.rgb()) coloured = true;
                if (pixel.red() < 90 && pixel.green() < 90 && pixel.blue() < 90) return false;
            }
        return coloured;
    }
    // Whether any pixel of the picture has this colour.
    bool Drawn(const QColor& colour) {
        const QImage& image = graph()->GraphBitmap();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == colour.rgb()) return true;
        return false;
    }
};

TEST_F(GraphSeriesTest, ChosenSeriesShowScaleValueAndCurve) {
    Open(100, 100);
    state().SeriesColours[1] = 0x0000FF; // red, 0x00BBGGRR
    graph()->close();
    form->N8->trigger();
    PickSeries(2, 0); // injection; frame 51 has byte 51
    EXPECT_EQ(Text(10), "6" + Decimal() + QStringLiteral("375 мс."));
    EXPECT_EQ(Text(16), QStringLiteral("30мс"));
    EXPECT_EQ(Text(22), QStringLiteral("15мс"));
    EXPECT_EQ(Text(28), QStringLiteral("0мс"));
    for (const int label : {10, 16, 22, 28}) EXPECT_TRUE(Shown(label)) << label;
    EXPECT_FALSE(Shown(9));
    EXPECT_TRUE(Drawn(Qt::red));
    for (const int label : {10, 16, 22, 28}) EXPECT_TRUE(TextOnScreenIn(label, Qt::red)) << label;
    EXPECT_EQ(graph()->Image1->Picture(), graph()->GraphBitmap());
    EXPECT_EQ(MainFrame(), 51);

    TypeSeries(2, QString()); // emptied: hidden and not drawn
    for (const int label : {10, 16, 22, 28}) EXPECT_FALSE(Shown(label)) << label;
    EXPECT_FALSE(Drawn(Qt::red));

    TypeSeries(2, QStringLiteral("что-то")); // matches no item: shown, all "0", nothing drawn
    for (const int label : {10, 16, 22, 28}) {
        EXPECT_TRUE(Shown(label)) << label;
        EXPECT_EQ(Text(label), QStringLiteral("0")) << label;
    }
    EXPECT_FALSE(Drawn(Qt::red));

    TypeSeries(2, graph()->ComboBox[2]->itemText(3)); // typed in full: engine speed
    EXPECT_EQ(app->View().Series()[1].row, 3);
    EXPECT_EQ(Text(16), QStringLiteral("10000"));
}

TEST_F(GraphSeriesTest, MovingTheCursorRepaintsOnlyTwoColumnsAndTheValues) {
    Open(101, 101);
    PickSeries(1, 0);
    graph()->TrackBar1->setValue(10);
    const QImage at10 = graph()->GraphBitmap();
    graph()->TrackBar1->setValue(11);
    EXPECT_EQ(Text(9), "1" + Decimal() + QStringLiteral("500 мс.")); // frame 12
    EXPECT_EQ(Text(1), QStringLiteral("12"));
    const QImage at11 = graph()->GraphBitmap();
    for (int y = 0; y < 201; ++y)
        for (int x = 0; x < 601; ++x)
            if (x != 60 && x != 66) {
                ASSERT_EQ(at10.pixel(x, y), at11.pixel(x, y)) << x << "," << y;
            }
    EXPECT_NE(at10, at11);
    graph()->TrackBar1->setValue(10);
    EXPECT_EQ(graph()->GraphBitmap(), at10);
    EXPECT_EQ(graph()->Image1->Picture(), at10);
}

TEST_F(GraphSeriesTest, ColourButtonPicksTheSeriesColour) {
    Open(50, 50);
    PickSeries(3, 3);
    dialogs->colourAnswers.push_back(QColor(0, 0, 255));
    graph()->SpeedButton[3]->click();
    ASSERT_EQ(dialogs->colourAsked.size(), 1u);
    EXPECT_EQ(dialogs->colourAsked[0], QColor(Qt::black)); // black the first time
    EXPECT_EQ(state().SeriesColours[2], 16711680u);
    EXPECT_TRUE(Drawn(QColor(0, 0, 255)));
    EXPECT_EQ(graph()->ComboBox[3]->palette().color(QPalette::Text), QColor(0, 0, 255));

    // Cancelled: the colour stays, the graph is drawn again all the same.
    for (int n = 1; n <= 50; ++n) state().store.Row(n).Analog[3] = 200; // 5000 rpm: y = 99
    dialogs->colourAnswers.push_back(std::nullopt);
    graph()->SpeedButton[3]->click();
    EXPECT_EQ(dialogs->colourAsked.back(), QColor(0, 0, 255)); // the last chosen colour
    EXPECT_EQ(state().SeriesColours[2], 16711680u);
    EXPECT_EQ(graph()->GraphBitmap().pixel(300, 99), QColor(0, 0, 255).rgb());

    // The colour is what the settings file keeps.
    ASSERT_TRUE(form->SaveSettings());
    EXPECT_EQ(LoadSettings(form->Services().settingsPath.toStdString()).SeriesColours[2], 16711680);
}

TEST_F(GraphSeriesTest, ClosingEmptiesTheListsAndReopeningStartsAfresh) {
    Open(200, 200);
    PickSeries(1, 4);
    TypeSpan(QStringLiteral("50"));
    graph()->close();
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(graph()->ComboBox[n]->currentText(), QString());
    EXPECT_EQ(graph()->GraphSpan, 50); // kept until the next opening
    form->N8->trigger();
    EXPECT_EQ(graph()->GraphSpan, 200);
    EXPECT_EQ(graph()->ScrollBar1->value(), 1);
    EXPECT_EQ(graph()->TrackBar1->value(), 100);
    EXPECT_EQ(MainFrame(), 101);
    EXPECT_FALSE(Shown(9));
}

TEST_F(GraphSeriesTest, SettingsRefreshKeepsTheSeriesAndFollowsTheUnits) {
    Open(100, 100);
    PickSeries(1, 2); // idle-air valve
    PickSeries(4, 21);
    EXPECT_EQ(Text(15), QStringLiteral("100"));
    form->UnitItem(3, 3)->trigger(); // idle-air valve in steps
    EXPECT_EQ(app->View().Series()[0].row, 2);
    EXPECT_EQ(app->View().Series()[3].row, 21);
    EXPECT_EQ(graph()->ComboBox[1]->currentText(), PanelLabel(3));
    EXPECT_EQ(Text(15), QStringLiteral("255"));
    EXPECT_EQ(Text(9), QStringLiteral("0 шаг"));
}

TEST_F(GraphSeriesTest, AHiddenGraphNeverMovesTheMainFrame) {
    MakeRecording(100, 80);
    form->UnitItem(3, 3)->trigger(); // the settings refresh redraws the hidden graph
    EXPECT_EQ(MainFrame(), 80);
    Open(100, 80);
    graph()->close();
    form->ScrollBar1->setValue(30);
    form->UnitItem(3, 1)->trigger();
    EXPECT_EQ(MainFrame(), 30);
}

TEST_F(GraphSeriesTest, DeletingAFrameShortensTheSpan) {
    Open(10, 10);
    EXPECT_EQ(graph()->ComboBox[8]->currentText(), QStringLiteral("10"));
    form->ScrollBar1->setValue(10);
    form->Button5Click(); // the last frame
    EXPECT_EQ(graph()->ComboBox[8]->currentText(), QStringLiteral("9"));
    EXPECT_EQ(graph()->GraphSpan, 9);
    EXPECT_EQ(graph()->ComboBox[8]->count(), 2);
    EXPECT_EQ(graph()->ComboBox[8]->itemText(1), QStringLiteral("9"));
    EXPECT_EQ(graph()->TrackBar1->maximum(), 8);
    EXPECT_EQ(graph()->windowTitle(), QStringLiteral("Графики  с 1 по 9 кадр"));
    EXPECT_EQ(MainFrame(), 9);
    EXPECT_EQ(graph()->ScrollBar1->value() + graph()->TrackBar1->value(), 9);

    TypeSpan(QStringLiteral("5")); // a chosen span stays while it fits
    form->ScrollBar1->setValue(3);
    form->Button5Click();
    EXPECT_EQ(graph()->GraphSpan, 5);
    EXPECT_EQ(MainFrame(), 3);
    EXPECT_EQ(graph()->ScrollBar1->value() + graph()->TrackBar1->value(), 3);
    // Down to two frames the graph still draws; a single frame closes it.
    PickSeries(1, 0);
    while (form->RecordingLength() > 2) form->Button5Click();
    EXPECT_EQ(graph()->GraphSpan, 2);
    EXPECT_TRUE(graph()->isVisible());
    form->Button5Click();
    EXPECT_FALSE(graph()->isVisible());
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(GraphSeriesTest, AMarkerJumpPutsTheCursorOnTheFrame) {
    Open(1000, 1000);
    form->ScrollBar1->setValue(500);
    TypeSpan(QStringLiteral("100"));
    form->SetMarker(1, "37");
    form->BitBtnMouseDown(1, Qt::LeftButton);
    EXPECT_EQ(MainFrame(), 37);
    EXPECT_EQ(graph()->ScrollBar1->value() + graph()->TrackBar1->value(), 37);
    EXPECT_EQ(graph()->Label[1]->text(), QStringLiteral("37"));
}

TEST_F(GraphSeriesTest, LoadingARecordingReopensTheGraph) {
    Open(1000, 1000);
    TypeSpan(QStringLiteral("100"));
    RecordingDocument document;
    document.frames.resize(300);
    const QString path = dir.filePath(QStringLiteral("other.kvr"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes = RecordingFileBytes(document);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.close();
    form->LoadRecording(path);
    EXPECT_TRUE(graph()->isVisible());
    EXPECT_EQ(graph()->GraphSpan, 300);
    EXPECT_EQ(graph()->ComboBox[8]->currentText(), QStringLiteral("300"));
    EXPECT_EQ(graph()->TrackBar1->value(), 150);
    EXPECT_EQ(graph()->windowTitle(), QStringLiteral("Графики  с 1 по 300 кадр"));
    EXPECT_EQ(MainFrame(), 151);
    EXPECT_EQ(graph()->ComboBox[1]->count(), 22);
}

TEST_F(GraphSeriesTest, StartingAReadingClosesTheGraph) {
    Open(10, 10);
    PickSeries(1, 0);
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1->click();
    EXPECT_FALSE(graph()->isVisible());
    EXPECT_EQ(graph()->ComboBox[1]->currentText(), QString());
    form->Button1->click();
}

} // namespace
} // namespace qv::test
