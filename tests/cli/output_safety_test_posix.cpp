// What every command does with its arguments, its inputs and its outputs: options checked
// alike, an output that is its input refused, "-" for standard output, a lost output reported,
// and only regular files read.
#include "files/csv_export.h"
#include "files/recording_file.h"

#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qv {
namespace {

namespace fs = std::filesystem;

class CliOutputs : public test::CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        document.frames.resize(3);
        document.frames[1].Analog[3] = 120;
        document.comment = {"тест"};
        Write("in.kvr", RecordingFileBytes(document));
        Write("line.txt", "0 1\n");
    }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }
    // Runs the companion inside the test's folder, so that relative names land there; a
    // command that hangs is stopped and fails.
    int RunHere(const std::string& arguments) {
        const std::string command = "cd \"" + dir.string() +
                                    "\" && timeout 20 \"" QV_CLI_PATH "\" " + arguments +
                                    " >stdout.txt 2>stderr.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().filename() != "stdout.txt" && entry.path().filename() != "stderr.txt")
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    RecordingDocument document;
};

TEST_F(CliOutputs, OptionsAreCheckedAlikeInEveryCommand) {
    const struct {
        const char* arguments;
        const char* problem;
        bool usage = true;
    } cases[] = {
        {"resave in.kvr --frames", "неизвестный параметр --frames"},
        {"resave in.kvr out.kvr --frame 2", "неизвестный параметр --frame"},
        {"csv in.kvr --bogus", "неизвестный параметр --bogus"},
        {"panel in.kvr --frame 0", "--frame 0 вне пределов 1..3", false}, // known once loaded
        {"panel in.kvr --frame", "после --frame нужно значение"},
        {"panel in.kvr --khh 99", "--khh 99 вне пределов 1..3"},
        {"panel in.kvr --vozduh 0", "--vozduh 0 вне пределов 1..5"},
        {"panel in.kvr --temperature 7", "--temperature 7 вне пределов 1..2"},
        {"panel in.kvr --decimal x", "--decimal: «x» — допустимо только . или ,"},
        {"plot in.kvr out.png --khh 99", "--khh 99 вне пределов 1..3"},
        {"export in.kvr out.csv --vozduh 6", "--vozduh 6 вне пределов 1..5"},
        {"summary in.kvr --temperature 3", "--temperature 3 вне пределов 1..2"},
        {"plot in.kvr out.png --start", "после --start нужно значение"},
        {"plot in.kvr out.png --span ten", "--span: «ten» — не целое число"},
        {"simulate out.kvr --frames 2001", "--frames 2001 вне пределов 1..2000"},
        {"simulate out.kvr --seed 18446744073709551616", "вне пределов 0..18446744073709551615"},
        {"receive --inverted", "не хватает аргументов"},
        {"read no-such-port --frames 0", "--frames 0 вне пределов 1..2000"}, // before any port
        {"receive line.txt --poll-ns 0", "--poll-ns 0 вне пределов 1.."},
        {"csv in.kvr a.csv b.csv", "лишний аргумент «b.csv»"},
    };
    const std::vector<std::string> before = Names();
    for (const auto& c : cases) {
        EXPECT_EQ(RunHere(c.arguments), 2) << c.arguments;
        const std::string errors = Read(File("stderr.txt"));
        EXPECT_NE(errors.find(c.problem), std::string::npos) << c.arguments << ": " << errors;
        EXPECT_EQ(errors.find("Использование: quintovar-cli") != std::string::npos, c.usage)
            << c.arguments;
        EXPECT_EQ(Read(File("stdout.txt")), "") << c.arguments;
        EXPECT_EQ(Names(), before) << c.arguments; // nothing written, no file "--frames"
    }
    // After "--" a name that looks like an option is a name.
    EXPECT_EQ(RunHere("resave in.kvr -- --frames"), 0) << Read(File("stderr.txt"));
    EXPECT_EQ(Read(File("--frames")), RecordingFileBytes(document));
}

TEST_F(CliOutputs, AnOutputThatIsTheInputIsRefusedBeforeAnythingIsWritten) {
    Write("rec.csv", RecordingFileBytes(document)); // a recording named .csv: its default output
    Write("rec.png", RecordingFileBytes(document)); // and one named as a picture
    fs::create_symlink("in.kvr", File("alias.kvr"));
    for (const char* arguments : {"csv in.kvr in.kvr", "csv rec.csv", "resave in.kvr alias.kvr",
                                  "plot rec.png ./rec.png", "csv alias.kvr in.kvr"}) {
        EXPECT_EQ(RunHere(arguments), 2) << arguments;
        EXPECT_NE(Read(File("stderr.txt")).find("это тот же файл"), std::string::npos) << arguments;
        EXPECT_EQ(Read(File("in.kvr")), RecordingFileBytes(document)) << arguments;
        EXPECT_EQ(Read(File("rec.csv")), RecordingFileBytes(document)) << arguments;
        EXPECT_EQ(Read(File("rec.png")), RecordingFileBytes(document)) << arguments;
        EXPECT_TRUE(fs::is_symlink(File("alias.kvr")));
    }
}

TEST_F(CliOutputs, DashIsStandardOutput) {
    ASSERT_EQ(RunHere("csv in.kvr -"), 0) << Read(File("stderr.txt"));
    EXPECT_EQ(Read(File("stdout.txt")), CsvExportBytes(document));
    ASSERT_EQ(RunHere("plot in.kvr -"), 0) << Read(File("stderr.txt"));
    EXPECT_EQ(Read(File("stdout.txt")).substr(0, 8), "\x89PNG\r\n\x1A\n");
    // The texts go beside the picture, to stderr.
    EXPECT_EQ(Read(File("stderr.txt")).rfind("Графики", 0), 0u) << Read(File("stderr.txt"));
    EXPECT_FALSE(fs::exists(File("-")));
}

// Standard output is a pipe whose reader has gone (and SIGPIPE is ignored, as a shell or a
// service may leave it): every write to it fails, as on a full disk.
int RunIntoClosedPipe(const std::vector<std::string>& arguments, const std::string& errors) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return -1;
    ::close(pipeEnds[0]);
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGPIPE, SIG_IGN);
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        if (!std::freopen(errors.c_str(), "w", stderr)) ::_exit(127);
        std::vector<char*> argv{const_cast<char*>(QV_CLI_PATH)};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(QV_CLI_PATH, argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(CliOutputs, AnOutputThatCannotBeWrittenCompletelyFails) {
    const std::vector<std::vector<std::string>> runs = {
        {"panel", File("in.kvr")},
        {"panel", File("in.kvr"), "--frame", "2"},
        {"csv", File("in.kvr"), "-"},
        {"plot", File("in.kvr"), "-"},
        {"plot", File("in.kvr"), File("out.png")}, // the texts on standard output are lost
        {"--help"},
    };
    for (const auto& arguments : runs) {
        EXPECT_EQ(RunIntoClosedPipe(arguments, File("stderr.txt")), 2) << arguments[0];
        EXPECT_NE(Read(File("stderr.txt")).find("стандартный вывод"), std::string::npos)
            << arguments[0] << ": " << Read(File("stderr.txt"));
    }
}

TEST_F(CliOutputs, OnlyRegularFilesAreRead) {
    ASSERT_EQ(::mkfifo(File("fifo.kvr").c_str(), 0666), 0);
    fs::create_directory(File("folder.kvr"));
    Write("huge.kvr", "File for Quintovar 1.0.0.3\r\n");
    fs::resize_file(File("huge.kvr"), MaxRecordingFileBytes + 1);
    const struct {
        std::string arguments;
        const char* problem;
    } cases[] = {
        {"csv fifo.kvr out.csv", "это канал (FIFO), а не обычный файл"}, // no writer: never blocks
        {"receive fifo.kvr", "это канал (FIFO), а не обычный файл"},
        {"resave folder.kvr out.kvr", "это папка, а не обычный файл"},
        {"panel huge.kvr", "файл больше 10 МБ"},
        {"panel /dev/zero", "это устройство, а не обычный файл"}, // only looked at, never read
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunHere(c.arguments), 2) << c.arguments;
        EXPECT_NE(Read(File("stderr.txt")).find(c.problem), std::string::npos)
            << c.arguments << ": " << Read(File("stderr.txt"));
        EXPECT_FALSE(fs::exists(File("out.csv")) || fs::exists(File("out.kvr"))) << c.arguments;
    }
}

} // namespace
} // namespace qv
