#include "files/csv_export.h"
#include "files/file_io.h"
#include "files/readings_list.h"
#include "files/recording_file.h"
#include "recording/panel.h"

#include "../files/planted_readings.h"
#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

class CliFiles : public test::CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        document.frames.resize(3);
        document.frames[1].Analog[0] = 200;
        document.frames[2].Identifier[11] = 1;
        document.frames[2].FrameTime = 0.5;
        document.comment = {"тест"};
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    int Run(const std::string& arguments) { return RunCli(arguments); }

    RecordingDocument document;
};

TEST_F(CliFiles, CsvWritesTheWindowsExportBesideTheInput) {
    Write(File("run1.kvr"), RecordingFileBytes(document));
    ASSERT_EQ(Run("csv \"" + File("run1.kvr") + "\""), 0) << Read(File("stderr.txt"));
    EXPECT_EQ(Read(File("run1.csv")), CsvExportBytes(document));
    ASSERT_EQ(Run("csv \"" + File("run1.kvr") + "\" \"" + File("other.csv") + "\""), 0);
    EXPECT_EQ(Read(File("other.csv")), CsvExportBytes(document));
}

// Names reach the command whole whatever the system's code page (Windows hands programs their
// arguments in it).
TEST_F(CliFiles, CsvTakesCyrillicFileNames) {
    const fs::path folder = dir / PathFromUtf8("Иван");
    fs::create_directories(folder);
    const std::string input = PathToUtf8(folder / PathFromUtf8("заезд.kvr"));
    ASSERT_TRUE(WriteFileAtomically(input, RecordingFileBytes(document)).ok());
    ASSERT_EQ(Run("csv \"" + input + "\""), 0) << Read(File("stderr.txt"));
    std::string csv;
    ASSERT_TRUE(ReadWholeFile(PathToUtf8(folder / PathFromUtf8("заезд.csv")), csv, 1 << 20).ok());
    EXPECT_EQ(csv, CsvExportBytes(document));
}

TEST_F(CliFiles, ResaveNormalisesTheFile) {
    std::string lfOnly = RecordingFileBytes(document);
    for (std::size_t at; (at = lfOnly.find("\r\n")) != std::string::npos;) lfOnly.erase(at, 1);
    Write(File("in.kvr"), lfOnly);
    ASSERT_EQ(Run("resave \"" + File("in.kvr") + "\" \"" + File("out.kvr") + "\""), 0);
    EXPECT_EQ(Read(File("out.kvr")), RecordingFileBytes(document));
}

// The panel of frame n as the command prints it.
std::string PanelText(const RecordingDocument& document, int n, const DisplaySettings& settings,
                      const std::string& decimal) {
    auto store = std::make_unique<RecordingStore>();
    ApplyToStore(document, *store);
    const PanelLines panel = BuildPanel(*store, n, document.Length(), settings, decimal);
    std::string text;
    for (int row = 0; row < PanelRowCount; ++row)
        text += panel.labels[row] + "\t" + panel.values[row] + "\n";
    return text;
}

// The window's decimal separator: that of the system's locale, as Qt gives it to the window.
std::string WindowSeparator() {
    return QLocale().decimalPoint().toStdString();
}

TEST_F(CliFiles, PanelPrintsTheWindowsRows) {
    Write(File("in.kvr"), RecordingFileBytes(document));
    ASSERT_EQ(Run("panel \"" + File("in.kvr") + "\" --frame 2"), 0) << Read(File("stderr.txt"));
    const std::string frame2 = Read(File("stdout.txt"));
    EXPECT_EQ(frame2, PanelText(document, 2, {}, WindowSeparator()));
    EXPECT_NE(frame2.find("Кадр"), std::string::npos);

    ASSERT_EQ(Run("panel \"" + File("in.kvr") + "\""), 0);
    EXPECT_EQ(Read(File("stdout.txt")), PanelText(document, 1, {}, WindowSeparator()) + "\n" +
                                            frame2 + "\n" +
                                            PanelText(document, 3, {}, WindowSeparator()));

    DisplaySettings settings;
    settings.KHH = IdleAirUnit(3);
    settings.Temperature = CoolantDependence(2);
    settings.Vozduh = IntakeKind(4);
    ASSERT_EQ(Run("panel \"" + File("in.kvr") +
                  "\" --khh 3 --temperature 2 --vozduh 4 --decimal . --frame 3"),
              0);
    EXPECT_EQ(Read(File("stdout.txt")), PanelText(document, 3, settings, "."));

    EXPECT_EQ(Run("panel \"" + File("in.kvr") + "\" --frame 4"), 2);
    EXPECT_EQ(Run("panel \"" + File("in.kvr") + "\" --frame x"), 2);
    EXPECT_EQ(Run("panel \"" + File("in.kvr") + "\" --speed 3"), 2);
    EXPECT_EQ(Run("panel \"" + File("in.kvr") + "\" --frame"), 2);
    EXPECT_EQ(Read(File("stdout.txt")), "");
}

// The summary under the units its options choose.
TEST_F(CliFiles, SummaryTakesTheUnitOptions) {
    Write(File("in.kvr"), RecordingFileBytes(document));
    ASSERT_EQ(Run("summary \"" + File("in.kvr") + "\" --khh 3"), 0);
    EXPECT_EQ(Read(File("stdout.txt")).rfind("Кадров: 3\n", 0), 0u);
    EXPECT_NE(Read(File("stdout.txt")).find("\n3.А  Клапан ХХ(шаг):\t0 шаг\t1\t0 шаг\t1\t0 шаг\n"),
              std::string::npos);
}

// The readings folder's list, as the window shows it: a line a reading, with its file's path.
TEST_F(CliFiles, ReadingsPrintsTheWindowsListOfTheFolder) {
    ASSERT_TRUE(test::PlantReadings(dir / "readings"));
    ASSERT_EQ(Run("readings " + Quoted(File("readings"))), 0);
    std::string expected;
    for (const ReadingRow& row : ReadingRows(ScanReadingsFolder(File("readings"))))
        expected += ReadingLine(row) + "\n";
    EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 7);
    EXPECT_EQ(Read(File("stdout.txt")), expected);
    EXPECT_EQ(Run("readings " + Quoted(File("nowhere"))), 2);
}

#ifndef _WIN32
// The separator follows the locale the window would take (LC_ALL before LC_NUMERIC and LANG,
// whether or not the system has it installed); --decimal overrides it.
TEST_F(CliFiles, PanelTakesTheWindowsDecimalSeparatorUnlessTold) {
    Write(File("in.kvr"), RecordingFileBytes(document));
    ASSERT_NE(PanelText(document, 2, {}, "."), PanelText(document, 2, {}, ","));
    const char* saved = std::getenv("LC_ALL");
    const std::string savedValue = saved ? saved : "";
    const struct {
        const char* locale;
        const char* options;
        const char* separator;
    } cases[] = {
        {"C.UTF-8", "", "."},
        {"en_US.UTF-8", "", "."},
        {"ru_RU.UTF-8", "", ","},
        {"de_DE.UTF-8", "", ","},
        {"C.UTF-8", " --decimal ,", ","},
        {"ru_RU.UTF-8", " --decimal .", "."},
    };
    for (const auto& c : cases) {
        ::setenv("LC_ALL", c.locale, 1);
        EXPECT_EQ(Run("panel \"" + File("in.kvr") + "\" --frame 2" + c.options), 0)
            << c.locale << c.options;
        EXPECT_EQ(Read(File("stdout.txt")), PanelText(document, 2, {}, c.separator))
            << c.locale << c.options;
    }
    if (saved)
        ::setenv("LC_ALL", savedValue.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}
#endif

TEST_F(CliFiles, RejectedFilesAndBadArgumentsExitWithTwoAndWriteNothing) {
    Write(File("bad.kvr"), "File for Quintovar 1.0.0.4\r\n1\r\n");
    EXPECT_EQ(Run("csv \"" + File("bad.kvr") + "\""), 2);
    EXPECT_NE(Read(File("stderr.txt")).find("Файл не этой программы"), std::string::npos);
    EXPECT_FALSE(fs::exists(File("bad.csv")));

    EXPECT_EQ(Run("resave \"" + File("missing.kvr") + "\" \"" + File("out.kvr") + "\""), 2);
    // The system's reason in the program's words, as the window says it.
    EXPECT_NE(Read(File("stderr.txt")).find(": нет такого файла или папки"), std::string::npos)
        << Read(File("stderr.txt"));
    EXPECT_FALSE(fs::exists(File("out.kvr")));

    Write(File("in.kvr"), RecordingFileBytes(document));
    EXPECT_EQ(Run("resave \"" + File("in.kvr") + "\" \"" + File("no/dir/out.kvr") + "\""), 2);
    EXPECT_NE(Read(File("stderr.txt")).find("Ошибка записи в файл. Причина: нет такого файла или папки"),
              std::string::npos);

    EXPECT_EQ(Run("csv"), 2);
    EXPECT_NE(Read(File("stderr.txt")).find("Использование"), std::string::npos);
    EXPECT_EQ(Run("resave \"" + File("in.kvr") + "\""), 2);
    EXPECT_EQ(Run("csv a b c"), 2);
}

} // namespace
} // namespace qv
