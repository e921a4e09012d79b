#include "main_window_fixture.h"

#include "recording/recording_summary.h"
#include "ui/form10_summary.h"

#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QTableWidget>

namespace qv::test {
namespace {

class SummaryWindowTest : public MainWindowTest {
protected:
    TForm10* summary() { return app->Window<TForm10>(); }

    // The summary of the recording as it stands, as the companion prints it.
    std::string Expected() {
        std::string text;
        for (const std::string& line : SummaryLines(SummarizeRecording(
                 state().store, form->RecordingLength(), state().settings, DecimalSeparator())))
            text += line + '\n';
        return text;
    }
    // What the window shows, written as the companion writes it.
    std::string Shown() {
        QStringList lines = summary()->Label1->text().split(QLatin1Char('\n'));
        for (const QTableWidget* grid : {summary()->StringGrid1, summary()->StringGrid2}) {
            QStringList heading;
            for (int c = 0; c < grid->columnCount(); ++c)
                heading << grid->horizontalHeaderItem(c)->text();
            lines << QString() << heading.join(QLatin1Char('\t'));
            for (int r = 0; r < grid->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < grid->columnCount(); ++c) cells << grid->item(r, c)->text();
                lines << cells.join(QLatin1Char('\t'));
            }
        }
        return (lines.join(QLatin1Char('\n')) + '\n').toStdString();
    }
    void Click(QTableWidget* grid, int row, int column) {
        const QPoint centre = grid->visualItemRect(grid->item(row, column)).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, centre, grid->viewport()->mapToGlobal(centre), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(grid->viewport(), &event);
        }
    }
};

// "Сводка" shows what the companion prints for the loaded recording, follows a unit change, and
// a click on the frame of a lowest value shows that frame in the main window; "Копировать"
// copies the same text. While reading it follows the frames as they come.
TEST_F(SummaryWindowTest, ShowsTheRecordingsSummaryFollowsTheUnitsAndGoesToAFrame) {
    form->LoadRecording(QStringLiteral(QV_SOURCE_DIR "/samples/demo.kvr"));
    ASSERT_EQ(form->RecordingLength(), 200);
    form->SummaryItem->trigger();
    ASSERT_TRUE(summary()->isVisible());
    const std::string before = Expected();
    EXPECT_EQ(Shown(), before);

    form->UnitItem(6, 2)->trigger(); // the inverse coolant dependence
    ASSERT_NE(Expected(), before);
    EXPECT_EQ(Shown(), Expected());

    const int lowest = SummarizeRecording(state().store, 200, state().settings, ",")
                           .parameters[0]
                           .lowestFrame; // of the injection
    ASSERT_NE(lowest, form->FramePosition());
    Click(summary()->StringGrid1, 0, 2);
    EXPECT_EQ(form->FramePosition(), lowest);
    EXPECT_EQ(PanelValue(24), QStringLiteral("%1 / 200").arg(lowest));
    EXPECT_EQ(Shown(), Expected()); // moving the frame changes nothing here

    summary()->Button1->click();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), Expected());

    // A reading leaves it open; it shows each committed frame, and a click moves no frame.
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1Click();
    for (int n = 0; n < 2; ++n) CommitFrame(LineFrame{});
    ASSERT_TRUE(summary()->isVisible());
    EXPECT_EQ(Shown().rfind("Кадров: 2\n", 0), 0u);
    EXPECT_EQ(Shown(), Expected());
    Click(summary()->StringGrid1, 0, 2);
    EXPECT_EQ(form->FramePosition(), 2);
}

} // namespace
} // namespace qv::test
