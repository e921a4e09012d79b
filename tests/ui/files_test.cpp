#include "main_window_fixture.h"

#include "files/decoded_export.h"
#include "files/recording_file.h"
#include "files/settings_file.h"
#include "ui/long_lines.h"
#include "ui/mouse_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <QFile>

#include <sys/stat.h>

namespace qv::test {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

using RecordingFileTest = MainWindowTest;

TEST_F(RecordingFileTest, TheStartUpFrameSavesAs129Lines) {
    const QString path = dir.filePath(QStringLiteral("start.kvr"));
    dialogs->saveAnswers.push_back(SaveChoice{path, SaveFileType::Recording});
    form->N3->trigger();
    EXPECT_EQ(dialogs->lastSaveType, SaveFileType::Recording);
    const QByteArray bytes = ReadAll(path);
    EXPECT_EQ(bytes.count("\r\n"), 129);
    EXPECT_TRUE(bytes.startsWith("File for Quintovar 1.0.0.3\r\n1\r\n0\r\n"));
    EXPECT_TRUE(bytes.endsWith("0\r\n-1\r\n"));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Данные в: start.kvr"));
}

TEST_F(RecordingFileTest, SaveAndLoadRestoreRecordingSamplesMarkersAndComment) {
    MakeRecording(12, 7);
    form->N13->trigger();
    form->SampleButtonMouseDown(1, Qt::LeftButton);
    form->BitBtnMouseDown(4, Qt::LeftButton);
    app->Window<TForm6>()->SetCommentLines(
        {QStringLiteral("Прогрев"), QStringLiteral("обороты ХХ")});
    const QString path = dir.filePath(QStringLiteral("run1.kvr"));
    dialogs->saveAnswers.push_back(SaveChoice{path, SaveFileType::Recording});
    form->SaveRecording();
    ASSERT_TRUE(QFile::exists(path));

    std::vector<FrameRow> saved;
    for (int n = 1; n <= 12; ++n) saved.push_back(state().store.Row(n));
    const QStringList sample = MemoLines(form->Memo3);

    // Something else in memory, then the file back.
    MakeRecording(30, 3);
    form->SampleButtonMouseDown(1, Qt::RightButton);
    form->BitBtn[3]->setText(QStringLiteral("0"));
    app->Window<TForm6>()->ClearComment();
    dialogs->openAnswers.push_back(path);
    form->N2->trigger();

    for (int n = 1; n <= 12; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(state().store.Row(n).Analog, saved[n - 1].Analog);
        EXPECT_EQ(state().store.Row(n).Identifier, saved[n - 1].Identifier);
        EXPECT_EQ(state().store.Row(n).Flags12, saved[n - 1].Flags12);
        EXPECT_EQ(state().store.Row(n).EndFlag, saved[n - 1].EndFlag);
    }
    EXPECT_EQ(state().store.Row(13).Analog[0], 0); // beyond the loaded recording
    EXPECT_EQ(form->ScrollBar1->maximum(), 12);
    EXPECT_EQ(form->ScrollBar1->value(), 12);
    EXPECT_EQ(state().FrameCount, 13);
    EXPECT_EQ(PanelValue(24), QStringLiteral("12 / 12"));
    EXPECT_EQ(MemoLines(form->Memo3), sample.mid(0, 25));
    EXPECT_EQ(form->BitBtn[3]->text(), QStringLiteral("7"));
    EXPECT_EQ(app->Window<TForm6>()->CommentLines(),
              (QStringList{QStringLiteral("Прогрев"), QStringLiteral("обороты ХХ")}));
    EXPECT_TRUE(app->Window<TForm6>()->isVisible());
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Данные из: run1.kvr"));
}

TEST_F(RecordingFileTest, FileDialogsStartInTheLastFolderUsedAndFirstInTheDocuments) {
    const QString documents = dir.filePath(QStringLiteral("Документы"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("a")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("b")));
    form->N2->trigger(); // cancelled
    const QString saved = dir.filePath(QStringLiteral("a/run.kvr"));
    dialogs->saveAnswers.push_back(SaveChoice{saved, SaveFileType::Recording});
    form->N3->trigger();
    const QString copy = dir.filePath(QStringLiteral("b/copy.kvr"));
    ASSERT_TRUE(QFile::copy(saved, copy));
    dialogs->openAnswers.push_back(copy);
    form->N2->trigger();
    form->N3->trigger(); // cancelled
    EXPECT_EQ(dialogs->foldersAsked,
              (std::vector<QString>{documents, documents, dir.filePath(QStringLiteral("a")),
                                    dir.filePath(QStringLiteral("b"))}));
}

TEST_F(RecordingFileTest, ARejectedFileChangesNothing) {
    MakeRecording(6, 4);
    form->BitBtn[0]->setText(QStringLiteral("3"));
    std::vector<FrameRow> before;
    for (int n = 1; n <= 6; ++n) before.push_back(state().store.Row(n));
    const QString path = dir.filePath(QStringLiteral("other.kvr"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("File for Quintovar 1.0.0.3 \r\n1\r\n");
    }
    form->LoadRecording(path);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Файл не этой программы"));
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(state().store.Row(n), before[n - 1]);
    EXPECT_EQ(form->ScrollBar1->maximum(), 6);
    EXPECT_EQ(form->ScrollBar1->value(), 4);
    EXPECT_EQ(form->BitBtn[0]->text(), QStringLiteral("3"));
    EXPECT_EQ(state().FrameCount, 7);

    form->LoadRecording(dir.filePath(QStringLiteral("missing.kvr")));
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_TRUE(dialogs->messages[0].text.contains(QStringLiteral("missing.kvr")));
    EXPECT_EQ(form->ScrollBar1->maximum(), 6);
}

TEST_F(RecordingFileTest, CancelledDialogsChangeNothing) {
    MakeRecording(5, 5);
    form->N2Click();
    form->N3Click();
    EXPECT_EQ(dialogs->openAsked, 1);
    EXPECT_EQ(dialogs->saveAsked, 1);
    EXPECT_EQ(form->ScrollBar1->maximum(), 5);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Информационное поле"));
}

TEST_F(RecordingFileTest, AnUncreatableFileIsReported) {
    dialogs->saveAnswers.push_back(
        SaveChoice{dir.filePath(QStringLiteral("no/such/dir/x.kvr")), SaveFileType::Recording});
    form->SaveRecording();
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text, QStringLiteral("Ошибка записи в файл.")); // no reason
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Информационное поле"));
}

TEST_F(RecordingFileTest, TheCsvTypeExportsAndBecomesTheDefault) {
    MakeRecording(3, 1);
    const QString path = dir.filePath(QStringLiteral("run.csv"));
    dialogs->saveAnswers.push_back(SaveChoice{path, SaveFileType::Csv});
    form->SaveRecording();
    EXPECT_FALSE(ReadAll(path).isEmpty());
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Данные в: run.csv"));
    form->SaveRecording();
    EXPECT_EQ(dialogs->lastSaveType, SaveFileType::Csv);
}

// The table of values is the spreadsheet table of the recording on screen under the window's
// display settings, with the decimal separator of the user's locale.
TEST_F(RecordingFileTest, TheValueTableIsTheSpreadsheetTableUnderTheShownUnits) {
    MakeRecording(4, 2);
    form->UnitItem(3, 2)->trigger(); // "% от 125"
    const QString kvr = dir.filePath(QStringLiteral("run.kvr"));
    const QString table = dir.filePath(QStringLiteral("run.csv"));
    dialogs->saveAnswers.push_back(SaveChoice{kvr, SaveFileType::Recording});
    dialogs->saveAnswers.push_back(SaveChoice{table, SaveFileType::ValueTable});
    form->SaveRecording();
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Russian));
    form->SaveRecording();
    QLocale::setDefault(before);
    const RecordingLoad saved = LoadRecordingFile(kvr.toStdString());
    ASSERT_TRUE(saved.status.ok());
    const std::string expected = SpreadsheetTableBytes(saved.document, state().settings, ",");
    EXPECT_NE(expected.find(";3.А  Клапан ХХ(% от 125), %;"), std::string::npos);
    EXPECT_EQ(ReadAll(table).toStdString(), expected);
    form->SaveRecording();
    EXPECT_EQ(dialogs->lastSaveType, SaveFileType::ValueTable);
}

TEST_F(RecordingFileTest, SavingStopsAReading) {
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    form->Button1Click();
    form->SaveRecording();
    EXPECT_EQ(state().StopFlag, 1);
    EXPECT_EQ(form->Button1->text(), QStringLiteral("Читать"));
}

class CommandLineTest : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(source.isValid());
        path = source.filePath(QStringLiteral("given.kvr"));
        RecordingDocument document;
        document.frames.resize(4);
        document.frames[2].Analog[0] = 99;
        document.samples[0] = {"a", "b"};
        ASSERT_TRUE(SaveRecordingFile(path.toStdString(), document).ok());
        arguments = {path};
        MainWindowTest::SetUp();
    }
    QTemporaryDir source;
    QString path;
};

TEST_F(CommandLineTest, TheFirstArgumentIsLoadedShortlyAfterStart) {
    EXPECT_TRUE(form->Timer2->isActive());
    ASSERT_TRUE(WaitFor([&] { return form->ScrollBar1->maximum() == 4; }));
    EXPECT_FALSE(form->Timer2->isActive());
    EXPECT_EQ(state().store.Row(3).Analog[0], 99);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Данные из: given.kvr"));
    EXPECT_EQ(state().FrameCount, 5);
    EXPECT_EQ(dialogs->openAsked, 0);
    EXPECT_FALSE(app->Window<TForm6>()->isVisible()); // no comment
}

using SettingsTest = MainWindowTest;

TEST_F(SettingsTest, ClosingWritesTheSettingsAndTheNextStartReadsThem) {
    form->UnitItem(3, 2)->trigger();
    form->UnitItem(5, 2)->trigger();
    form->N24->trigger();
    form->N27->trigger();
    state().SeriesColours[0] = 255;
    bool closed = false;
    QObject::connect(form, &TForm1::closed, [&] { closed = true; });
    form->N4->trigger();
    EXPECT_TRUE(closed);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("Закрываемся"));

    const SettingsValues values =
        qv::LoadSettings(dir.filePath(QStringLiteral("QuintovarByTrelm52.ini")).toStdString());
    EXPECT_EQ(values.display.KHH, IdleAirUnit(2));
    EXPECT_EQ(values.display.Vozduh, IntakeKind(2));
    EXPECT_EQ(values.display.Temperature, CoolantDependence(1));
    EXPECT_TRUE(values.InvertedAdapter);
    EXPECT_FALSE(values.ReducedCpu);
    EXPECT_FALSE(values.Preset);
    EXPECT_EQ(values.SeriesColours[0], 255);

    TearDown();
    MainWindowTest::SetUp();
    EXPECT_EQ(state().settings.KHH, IdleAirUnit::PercentOf125);
    EXPECT_TRUE(form->UnitItem(3, 2)->isChecked());
    EXPECT_TRUE(form->UnitItem(5, 2)->isChecked());
    EXPECT_TRUE(form->N24->isChecked());
    EXPECT_FALSE(form->N27->isChecked());
    EXPECT_FALSE(state().ReducedCpu);
    EXPECT_EQ(state().SeriesColours[0], 255u);
    EXPECT_EQ(PanelLabel(3), QStringLiteral("3.А  Клапан ХХ(% от 125):"));
}

TEST_F(SettingsTest, APresetStoredUncheckedIsCheckedWhenTheUnitsMatch) {
    TearDown();
    SettingsValues values;
    values.Preset = false;
    ASSERT_TRUE(qv::SaveSettings(
                    dir.filePath(QStringLiteral("QuintovarByTrelm52.ini")).toStdString(), values)
                    .ok());
    MainWindowTest::SetUp();
    EXPECT_TRUE(form->N3S1->isChecked());
}

TEST_F(SettingsTest, AnUnwritableSettingsFileIsReportedAndTheProgramStillCloses) {
    TearDown();
    // The settings path names a directory, which can never be written as a file.
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/QuintovarByTrelm52.ini")));
    UiServices services;
    services.portSystem = std::make_shared<FakePortSystem>();
    services.dialogs = dialogs;
    services.settingsPath = blocked + QStringLiteral("/QuintovarByTrelm52.ini");
    services.closePauseMs = 0;
    app = std::make_unique<QuintovarApp>(services);
    app->StartUp();
    form = app->Window<TForm1>();
    bool closed = false;
    QObject::connect(form, &TForm1::closed, [&] { closed = true; });
    form->close();
    EXPECT_TRUE(closed);
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text,
              QStringLiteral("Unable to write to ") + services.settingsPath);
}

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

class ClosePauseTest : public MainWindowTest {
protected:
    ClosePauseTest() { closePauseMs = 300; }
};

TEST_F(ClosePauseTest, TheWindowsPaintButTakeNoInputWhileClosing) {
    form->ComboBox1->setEditText(QStringLiteral("SIM"));
    PaintCounter paints;
    form->Edit1->installEventFilter(&paints);
    int paintsBefore = -1;
    QTimer::singleShot(100, form, [&] { // in the middle of the pause
        paintsBefore = paints.count;
        form->Edit1->update();
        const QPointF centre = QRectF(form->Button1->rect()).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(
                form->Button1,
                new QMouseEvent(type, centre, form->Button1->mapToGlobal(centre), Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                Qt::NoModifier));
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(form->Button1,
                                        new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier));
    });
    bool closed = false;
    QObject::connect(form, &TForm1::closed, [&] { closed = true; });
    form->N4->trigger();
    EXPECT_TRUE(closed);
    EXPECT_GE(paintsBefore, 0);
    EXPECT_GT(paints.count, paintsBefore); // painted during the pause
    EXPECT_TRUE(receiversStarted.empty());
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

using CommentTest = MainWindowTest;

TEST_F(CommentTest, TheWindowShowsHidesAndCountsLinesLikeATextBox) {
    TForm6* comment = app->Window<TForm6>();
    form->N28->trigger();
    EXPECT_TRUE(comment->isVisible());
    EXPECT_EQ(comment->windowTitle(), QStringLiteral("Коментарий к данным"));
    EXPECT_TRUE(comment->CommentLines().isEmpty());
    comment->Memo1->setPlainText(QStringLiteral("первая\nвторая\n"));
    EXPECT_EQ(comment->CommentLines(),
              (QStringList{QStringLiteral("первая"), QStringLiteral("вторая")}));
    comment->Memo1->setPlainText(QStringLiteral("\n"));
    EXPECT_EQ(comment->CommentLines(), QStringList{QString()});
    // Enter presses "Ок" (the default button) when it has the focus.
    comment->Button1->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(comment->Button1, &enter);
    EXPECT_FALSE(comment->isVisible());
    EXPECT_EQ(comment->CommentLines(), QStringList{QString()}); // hiding keeps the text
}

TEST_F(CommentTest, AThreeLineCommentIsStoredAsTwoAndComesBack) {
    app->Window<TForm6>()->SetCommentLines(
        {QStringLiteral("a"), QStringLiteral("б"), QStringLiteral("c;d")});
    const QString path = dir.filePath(QStringLiteral("c.kvr"));
    dialogs->saveAnswers.push_back(SaveChoice{path, SaveFileType::Recording});
    form->SaveRecording();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.endsWith("\r\n2\r\na\r\n\xE1\r\nc;d\r\n"));
    app->Window<TForm6>()->ClearComment();
    form->LoadRecording(path);
    EXPECT_EQ(app->Window<TForm6>()->CommentLines().size(), 3);
    EXPECT_TRUE(app->Window<TForm6>()->isVisible());
    EXPECT_EQ(app->Window<TForm6>()->focusWidget(), app->Window<TForm6>()->Button1);
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

TEST(ShownLines, LongLinesAreCutForTheScreenOnly) {
    const QString longLine(kShownLineLength + 1, QLatin1Char('x'));
    const QString cutLine = QString(kShownLineLength, QLatin1Char('x')) + QChar(0x2026);
    const struct {
        QStringList lines;
        QString shown;
        bool cut;
    } cases[] = {
        {{}, QString(), false},
        {{QStringLiteral("a"), QString(), QStringLiteral("б")}, QStringLiteral("a\n\nб"), false},
        {{longLine, QStringLiteral("b")}, cutLine + QStringLiteral("\nb"), true},
    };
    for (const auto& c : cases) {
        const ShownLines shown = ShownLinesFor(c.lines);
        EXPECT_EQ(shown.text, c.shown) << c.lines.join(QLatin1Char('|')).left(20).toStdString();
        EXPECT_EQ(shown.cut, c.cut);
    }
    // Many lines: no more than the whole budget is shown.
    const QStringList many(kShownTextLength / 100, QString(200, QLatin1Char('y')));
    const ShownLines shown = ShownLinesFor(many);
    EXPECT_TRUE(shown.cut);
    EXPECT_LE(shown.text.size(), kShownTextLength + 1);
}

using LongLinesTest = MainWindowTest;

// A recording whose comment and sample hold lines far too long to show whole, and characters
// a text box changes (a no-break space), comes back byte for byte when saved again.
TEST_F(LongLinesTest, ALoadedRecordingSavesAgainByteForByte) {
    RecordingDocument document;
    document.frames.resize(2);
    document.frames[1].Analog[0] = 7;
    document.comment = {std::string(3'000'000, 'w'), "no-break\u00A0space", ""};
    document.samples[1] = {"", std::string(500'000, 's') + " end"};
    const std::string bytes = RecordingFileBytes(document);
    const QString in = dir.filePath(QStringLiteral("long.kvr"));
    {
        QFile file(in);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    form->LoadRecording(in);
    ASSERT_EQ(form->Edit1->text(), QStringLiteral("Данные из: long.kvr"));
    TForm6* comment = app->Window<TForm6>();
    EXPECT_TRUE(comment->isVisible());
    EXPECT_TRUE(comment->Memo1->isReadOnly()); // a line shown cut cannot be edited
    EXPECT_LE(comment->Memo1->toPlainText().size(), kShownTextLength + 1);

    const QString out = dir.filePath(QStringLiteral("again.kvr"));
    dialogs->saveAnswers.push_back(SaveChoice{out, SaveFileType::Recording});
    form->SaveRecording();
    EXPECT_TRUE(ReadAll(out) == QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));

    // A new comment makes the box editable again.
    comment->ClearComment();
    EXPECT_FALSE(comment->Memo1->isReadOnly());
}

#ifndef _WIN32 // Windows has no named pipes in the file system
TEST_F(LongLinesTest, AFifoIsRefusedWithoutWaitingForAWriter) {
    const QString fifo = dir.filePath(QStringLiteral("fifo.kvr"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0666), 0);
    form->LoadRecording(fifo);
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_TRUE(dialogs->messages[0].text.contains(QStringLiteral("канал (FIFO)")));
}
#endif

} // namespace
} // namespace qv::test
