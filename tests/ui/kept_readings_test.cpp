// The readings folder seen from the window: every reading is kept there as it arrives, a start
// completes what a crash left unfinished and says so, "Последние чтения…" lists the folder, a
// folder that cannot take the reading is told once without stopping it, and what no file holds
// is not dropped without a question.
#include "main_window_fixture.h"

#include "app/reading_keeper.h"
#include "files/reading_journal.h"
#include "files/recording_file.h"
#include "ui/form11_readings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>

namespace qv::test {
namespace {

class KeptReadingsTest : public MainWindowTest {
protected:
    KeptReadingsTest() { readingsFolder = dir.filePath(QStringLiteral("readings")); }

    void ReadFrames(int count) {
        form->ComboBox1->setEditText(QStringLiteral("SIM"));
        form->Button1Click();
        for (int n = 0; n < count; ++n) CommitFrame(LineFrame{});
    }
    // Lets the keeper finish and its reports reach the window.
    void Settle() {
        (void)app->Session().LatestRunOnDisk(std::chrono::seconds(5));
        QCoreApplication::processEvents();
    }
    QStringList Files() const { return QDir(readingsFolder).entryList(QDir::Files, QDir::Name); }
};

TEST_F(KeptReadingsTest, AReadingIsARecordingThatTheFileMenuListsAndEnterLoads) {
    ReadFrames(3);
    form->Button1Click(); // "Стоп"
    ReadFrames(2);
    form->Button1Click();
    Settle();
    ASSERT_EQ(Files().size(), 2);
    const RecordingLoad load =
        LoadRecordingFile(QDir(readingsFolder).filePath(Files()[0]).toStdString());
    ASSERT_TRUE(load.status.ok());
    EXPECT_EQ(load.document.Length(), 3);
    EXPECT_TRUE(dialogs->notices.empty());

    form->RecentReadings->trigger();
    TForm11* list = app->Window<TForm11>();
    ASSERT_TRUE(list->isVisible());
    EXPECT_TRUE(list->Label1->text().endsWith(readingsFolder));
    ASSERT_EQ(list->StringGrid1->rowCount(), 2);
    EXPECT_EQ(list->StringGrid1->item(0, 2)->text(), QStringLiteral("2")); // the newest first
    list->StringGrid1->setCurrentCell(1, 0);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(list->StringGrid1, &enter);
    EXPECT_EQ(form->ScrollBar1->maximum(), 3);
    EXPECT_FALSE(list->isVisible());

    form->RecentReadings->trigger();
    list->Button2->click(); // "Открыть папку"
    EXPECT_EQ(dialogs->foldersShown, std::vector<QString>{readingsFolder});
    list->Button3->click(); // "Другой файл…": the open dialog in the folder
    ASSERT_EQ(dialogs->openAsked, 1);
    EXPECT_EQ(dialogs->foldersAsked.back(), readingsFolder);
}

class RecoveryTest : public KeptReadingsTest {
protected:
    void SetUp() override {
        QDir().mkpath(readingsFolder);
        QFile journal(QDir(readingsFolder).filePath(QStringLiteral("2026-12-09_14-03-11.journal")));
        ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
        const std::string bytes = std::string(JournalHeader) + JournalRecord(1, FrameRow{});
        journal.write(bytes.data(), static_cast<qint64>(bytes.size()));
        journal.close();
        KeptReadingsTest::SetUp();
    }
};

TEST_F(RecoveryTest, AStartCompletesAnUnfinishedReadingAndSaysSoInTheField) {
    Settle();
    const QString shown = form->Edit1->text();
    EXPECT_EQ(shown, QStringLiteral("Восстановлено чтений: 1"));
    EXPECT_LT(QFontMetrics(form->Edit1->font()).horizontalAdvance(shown),
              form->Edit1->width() - 8); // its frame and margins
    EXPECT_TRUE(form->Edit1->toolTip().contains(QDir::toNativeSeparators(
        QDir(readingsFolder).filePath(QStringLiteral("2026-12-09_14-03-11.kvr")))));
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("2026-12-09_14-03-11.kvr"),
                                    QStringLiteral("2026-12-09_14-03-11.recovered")}));
}

class UnwritableFolderTest : public KeptReadingsTest {
protected:
    UnwritableFolderTest() {
        QFile file(dir.filePath(QStringLiteral("file")));
        (void)file.open(QIODevice::WriteOnly);
        readingsFolder = dir.filePath(QStringLiteral("file/readings"));
    }
};

TEST_F(UnwritableFolderTest, ReadingGoesOnInMemoryWithOneNotice) {
    ReadFrames(3);
    Settle();
    EXPECT_TRUE(app->Session().Reading());
    EXPECT_EQ(form->ScrollBar1->maximum(), 3);
    EXPECT_EQ(dialogs->notices, std::vector<QString>{QString::fromStdString(NotKeptText())});
    form->close(); // the reading is only in memory
    EXPECT_EQ(dialogs->saveChangesAsked, 1);
}

// "Сохранить изменения в записи?" comes when the recording holds what no file has, and only then.
TEST_F(KeptReadingsTest, AsksBeforeDroppingWhatNoFileHas) {
    ReadFrames(2);
    form->Button1Click(); // "Стоп": the reading is on disk
    Settle();
    form->N2Click(); // "Загрузить": nothing to ask; the open dialog is cancelled
    EXPECT_EQ(dialogs->saveChangesAsked, 0);
    app->Window<TForm6>()->Memo1->setPlainText(QStringLiteral("Обороты плавают"));
    dialogs->saveChangesAnswers = {SaveAnswer::Cancel, SaveAnswer::Cancel};
    form->N2Click(); // asked; "Отмена": no open dialog
    form->close();   // asked; "Отмена": the window stays
    EXPECT_EQ(dialogs->openAsked, 1);
    EXPECT_TRUE(form->isVisible());
    // "Да", saved as a table of values, which keeps no comment: asked again, then "Нет".
    dialogs->saveChangesAnswers = {SaveAnswer::Yes};
    dialogs->saveAnswers.push_back(
        SaveChoice{dir.filePath(QStringLiteral("t.csv")), SaveFileType::ValueTable});
    form->close();
    EXPECT_EQ(dialogs->saveChangesAsked, 4);
    EXPECT_FALSE(form->isVisible());
}

} // namespace
} // namespace qv::test
