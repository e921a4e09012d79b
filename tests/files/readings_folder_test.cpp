#include "test_files.h"

#include "files/reading_journal.h"
#include "files/readings_folder.h"
#include "files/recording_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

std::string JournalOf(const std::vector<FrameRow>& frames) {
    std::string bytes(JournalHeader);
    for (std::size_t i = 0; i < frames.size(); ++i)
        bytes += JournalRecord(static_cast<int>(i) + 1, frames[i]);
    return bytes;
}

// A power cut may leave the journal cut at any byte: what is read back is exactly the whole
// records before the cut, and the recording made of them always loads.
TEST(ReadingJournal, ACutAtAnyByteGivesTheWholeFramesBeforeIt) {
    const std::vector<FrameRow> frames = test::VariedDocument(20).frames;
    const std::string journal = JournalOf(frames);
    for (std::size_t cut = 0; cut <= journal.size(); ++cut) {
        const std::vector<FrameRow> read =
            ParseJournal(std::string_view(journal).substr(0, cut)).frames;
        const std::size_t whole =
            cut < JournalHeader.size() ? 0 : (cut - JournalHeader.size()) / JournalRecordBytes;
        ASSERT_EQ(read, std::vector<FrameRow>(frames.begin(), frames.begin() + whole)) << cut;
        if (read.empty()) continue;
        RecordingDocument document;
        document.frames = read;
        ASSERT_TRUE(ParseRecording(RecordingFileBytes(document)).status.ok()) << cut;
    }
}

TEST(ReadingJournal, AGarbledOrMisplacedRecordCostsOnlyItsOwnFrame) {
    const std::vector<FrameRow> frames = test::VariedDocument(3).frames;
    std::string garbled = JournalOf(frames);
    garbled[JournalHeader.size() + JournalRecordBytes + 7] ^= 0x10; // inside the second record
    const JournalContents read = ParseJournal(garbled);
    EXPECT_EQ(read.frames, (std::vector<FrameRow>{frames[0], frames[2]}));
    EXPECT_TRUE(read.damaged);
    // A record that repeats a slot is not a frame of this reading.
    const std::string repeated =
        std::string(JournalHeader) + JournalRecord(1, frames[0]) + JournalRecord(1, frames[1]);
    EXPECT_EQ(ParseJournal(repeated).frames, std::vector<FrameRow>{frames[0]});
}

struct FolderCase {
    const char* name;
    bool windows;
    std::string xdg, home, localAppData;
    bool besideWritable;
    std::string expected;
};

// A reading's file keeps times of day; its name gives them their day, and the next one after
// midnight.
TEST(ReadingsFolder, AReadingsNameDatesItsFrames) {
    const double day = ToFrameTime({2026, 12, 9}), second = 1.0 / 86400;
    const struct {
        const char* name;
        std::vector<double> times, dated;
    } cases[] = {
        {"2026-12-09_23-59-58.kvr",
         {86399 * second, second, 2 * second},
         {day + 86399 * second, day + 1 + second, day + 1 + 2 * second}},
        {"2026-12-09_23-59-59_2.kvr", {0.5 * second}, {day + 1 + 0.5 * second}},
        {"2026-12-09_12-00-00.kvr", {0.5, 0.75}, {day + 0.5, day + 0.75}},
        {"notes.kvr", {0.5}, {0.5}},
        {"2026-12-09_12-00-00.kvr", {day + 0.5, 0.25}, {day + 0.5, 0.25}}, // dated already
    };
    for (const auto& c : cases) {
        std::vector<FrameRow> frames(c.times.size());
        for (std::size_t i = 0; i < frames.size(); ++i) frames[i].FrameTime = c.times[i];
        DateFramesOfReading(c.name, frames);
        for (std::size_t i = 0; i < frames.size(); ++i)
            EXPECT_NEAR(frames[i].FrameTime, c.dated[i], 1e-9) << c.name << " " << i;
    }
}

TEST(ReadingsFolder, LiesWhereTheUserCanFindAndWriteIt) {
    // An absolute path on this system.
    const std::string data = PathToUtf8(fs::temp_directory_path() / "data");
    const FolderCase cases[] = {
        {"xdg", false, data, "/home/u", "", true, data + "/quintovar/readings"},
        {"relative xdg", false, "data", "/home/u", "", true,
         "/home/u/.local/share/quintovar/readings"},
        {"no xdg", false, "", "/home/u", "", true, "/home/u/.local/share/quintovar/readings"},
        {"nothing known", false, "", "", "", true, ""},
        {"windows beside", true, "", "", "C:/Users/u/AppData/Local", true, "C:/prog/readings"},
        {"windows protected", true, "", "", "C:/Users/u/AppData/Local", false,
         "C:/Users/u/AppData/Local/Quintovar/readings"},
    };
    for (const FolderCase& c : cases) {
        const auto writable = [&](const std::string&) { return c.besideWritable; };
        EXPECT_EQ(fs::path(ChooseReadingsFolder("C:/prog", c.xdg, c.home, c.localAppData, writable,
                                                c.windows)),
                  fs::path(c.expected))
            << c.name;
    }
}

TEST(ReadingsFolder, ANewReadingTakesTheFirstFreeNameAndHoldsItsJournal) {
    test::TempDir dir;
    const std::string folder = dir.File("readings");
    const LocalDateTime start{2026, 12, 9, 14, 3, 11, 500};
    FileStatus status;
    const auto first = CreateReadingJournal(folder, start, status); // creates the folder too
    ASSERT_TRUE(first) << status.message;
    test::WriteBytes(JoinPath(folder, "2026-12-09_14-03-11_2.kvr"), "taken");
    const auto second = CreateReadingJournal(folder, start, status);
    ASSERT_TRUE(second);
    EXPECT_EQ(fs::path(first->Path()).filename(), "2026-12-09_14-03-11.journal");
    EXPECT_EQ(fs::path(second->Path()).filename(), "2026-12-09_14-03-11_3.journal");
    // A reading in progress is not taken for an unfinished one.
    EXPECT_FALSE(JournalFile::TakeOver(first->Path()));
    EXPECT_TRUE(RecoverReadings(folder).recovered.empty());
    EXPECT_TRUE(fs::exists(first->Path()));
    // A folder that cannot be made.
    test::WriteBytes(dir.File("file"), "x");
    EXPECT_FALSE(CreateReadingJournal(dir.File("file/readings"), start, status));
    EXPECT_EQ(status.kind, FileErrorKind::CannotCreate);
}

TEST(ReadingsFolder, RecoveryFoldsEveryAbandonedJournalIntoItsRecording) {
    test::TempDir dir;
    const std::vector<FrameRow> frames = test::VariedDocument(5).frames;
    std::string cut = JournalOf(frames);
    cut.resize(cut.size() - 3); // the last record was being written
    test::WriteBytes(dir.File("2026-12-09_10-00-00.journal"), cut);
    test::WriteBytes(dir.File("2026-12-09_11-00-00.journal"), std::string(JournalHeader));

    const Recovery recovery = RecoverReadings(dir.path().string());
    ASSERT_EQ(recovery.recovered.size(), 1u);
    EXPECT_EQ(recovery.recovered[0].recording, "2026-12-09_10-00-00.kvr");
    const RecordingLoad load = LoadRecordingFile(dir.File("2026-12-09_10-00-00.kvr"));
    ASSERT_TRUE(load.status.ok()) << load.status.message;
    ASSERT_EQ(load.document.Length(), 4);
    EXPECT_EQ(load.document.frames[3].Analog, frames[3].Analog);
    EXPECT_TRUE(load.document.comment.empty());
    // No journal is left, an empty one leaves no recording, and the recovered one is marked.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"2026-12-09_10-00-00.kvr",
                                               "2026-12-09_10-00-00.recovered"}));
}

TEST(ReadingsFolder, KeepsTheNewestReadingsWithinItsLimits) {
    struct Case {
        ReadingsLimits limits;
        std::vector<std::string> kept;
    };
    const std::vector<std::string> readings{"2026-01-01_09-00-00.kvr", "2026-01-01_10-00-00.kvr",
                                            "2026-01-01_10-00-00_2.kvr", "2026-01-02_08-00-00.kvr"};
    const Case cases[] = {
        {{10, 1000}, {readings[0], readings[1], readings[2], readings[3]}},
        {{2, 1000}, {readings[2], readings[3]}},
        {{10, 250}, {readings[2], readings[3]}}, // 100 bytes each
        {{10, 10}, {readings[3]}},               // the newest stays whatever its size
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        for (const std::string& name : readings)
            test::WriteBytes(dir.File(name), std::string(100, 'r'));
        test::WriteBytes(dir.File("notes.kvr"), "the user's own file");
        PruneReadings(dir.path().string(), c.limits);
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            if (entry.path().filename() != "notes.kvr")
                left.push_back(entry.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, c.kept) << c.limits.files << " files, " << c.limits.bytes << " bytes";
        EXPECT_TRUE(fs::exists(dir.File("notes.kvr")));
    }
}

} // namespace
} // namespace qv
