// The readings folder after a start, under faults: what the folder holds before, what it holds
// after the start has completed unfinished readings and kept its limits.
#include "test_files.h"

#include "files/reading_journal.h"
#include "files/readings_folder.h"
#include "files/recording_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <iostream>
#include <map>
#include <set>
#include <thread>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace qv {
namespace {

namespace fs = std::filesystem;

struct Put {
    enum Kind { Journal, Recording, SameRecording, Text, LinkOut, Fifo, Folder };
    std::string name;
    Kind kind;
    int frames = 0;      // of a journal or a recording
    int flip = -1;       // a journal's byte flipped at this offset
    int hoursAhead = -1; // its modification time from now
};

struct FaultCase {
    const char* fault;
    std::vector<Put> put;
    std::size_t keep;                 // files the folder keeps
    std::set<std::string> gone;       // of the files put; the others stay as they were
    std::map<std::string, int> added; // new files: a recording's frames, or -1
    int announced;                    // recovered readings the start reports
};

constexpr int RecordStart = static_cast<int>(JournalHeader.size());
constexpr int Record3 = RecordStart + 2 * static_cast<int>(JournalRecordBytes) + 20;
constexpr int Record9 = RecordStart + 8 * static_cast<int>(JournalRecordBytes) + 20;
const std::string J = "2026-12-09_08-00-00", K = "2026-12-09_09-00-00", L = "2026-12-09_10-00-00";

std::string JournalBytes(int frames, int flip) {
    std::string bytes(JournalHeader);
    const std::vector<FrameRow> rows = test::VariedDocument(frames).frames;
    for (int n = 1; n <= frames; ++n) bytes += JournalRecord(n, rows[n - 1]);
    if (flip >= 0) bytes[static_cast<std::size_t>(flip)] ^= 0x10;
    return bytes;
}

std::string RecordingBytes(int frames, unsigned seed) {
    RecordingDocument document;
    document.frames = test::VariedDocument(frames, seed).frames;
    return RecordingFileBytes(document);
}

TEST(ReadingFaults, AStartKeepsEveryIntactFrameAndTouchesNothingElse) {
    const FaultCase cases[] = {
        {"the clock behind the folder's newest readings",
         {{"2026-12-10_09-00-00.kvr", Put::Recording, 3, -1, 24},
          {"2026-12-10_09-00-01.kvr", Put::Recording, 3, -1, 25},
          {J + ".journal", Put::Journal, 4}},
         2,
         {"2026-12-10_09-00-00.kvr", J + ".journal"},
         {{J + ".kvr", 4}, {J + ".recovered", -1}},
         1},
        {"a flipped byte in the third of nine records, and in a header",
         {{J + ".journal", Put::Journal, 9, Record3}, {K + ".journal", Put::Journal, 9, 3}},
         200,
         {J + ".journal", K + ".journal"},
         {{J + ".kvr", 8},
          {J + ".journal.damaged", -1},
          {J + ".recovered", -1},
          {K + ".kvr", 9},
          {K + ".journal.damaged", -1},
          {K + ".recovered", -1}},
         2},
        {"a flipped byte in a last record; the limits take a recovered reading with its "
         "damaged journal, and a mark whose recording is gone",
         {{J + ".journal", Put::Journal, 9, Record3},
          {L + ".journal", Put::Journal, 9, Record9},
          {"2026-12-08_08-00-00.recovered", Put::Text}},
         1,
         {J + ".journal", L + ".journal", "2026-12-08_08-00-00.recovered"},
         {{L + ".kvr", 8}, {L + ".journal.damaged", -1}, {L + ".recovered", -1}},
         2},
        {"foreign names and contents",
         {{"notes.journal", Put::Text},
          {J + ".journal", Put::Text},
          {J + "_1.journal", Put::Journal, 3},
          {"2026-12-09_08-00-03.journal", Put::Folder}},
         200,
         {},
         {},
         0},
        {"links and a FIFO named as readings",
         {{"2026-12-09_08-00-01.journal", Put::LinkOut, 5},
          {"2026-12-09_08-00-02.journal", Put::Fifo},
          {"2026-12-09_08-00-04.kvr", Put::LinkOut, 3},
          {"2026-12-09_07-00-00.kvr", Put::Recording, 2}},
         1,
         {},
         {},
         0},
        {"a link at the recording's name",
         {{J + ".journal", Put::Journal, 10}, {J + ".kvr", Put::LinkOut, 3}},
         200,
         {J + ".journal"},
         {{J + "_2.kvr", 10}, {J + "_2.recovered", -1}},
         1},
        {"another recording at the name, and the same one (a kill before the journal went)",
         {{J + ".journal", Put::Journal, 10},
          {J + ".kvr", Put::Recording, 14},
          {K + ".journal", Put::Journal, 10},
          {K + ".kvr", Put::SameRecording, 10}},
         200,
         {J + ".journal", K + ".journal"},
         {{J + "_2.kvr", 10}, {J + "_2.recovered", -1}},
         1},
        {"a temporary file of an interrupted fold",
         {{".qv0123456789.tmp", Put::Text}, {J + ".kvr", Put::Recording, 2}},
         200,
         {".qv0123456789.tmp"},
         {},
         0},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.fault);
        test::TempDir dir;
        const fs::path folder = dir.path() / "readings", outside = dir.path() / "outside";
        fs::create_directories(folder);
        fs::create_directories(outside);
        std::map<std::string, std::pair<std::string, fs::file_time_type>> before;
        bool skipped = false;
        for (const Put& p : c.put) {
            const fs::path path = folder / p.name;
            // A link leads to a journal or a recording as its name says.
            const std::string bytes = p.kind == Put::Text            ? "a file of the user's\r\n"
                                      : p.kind == Put::SameRecording ? RecordingBytes(p.frames, 1)
                                      : p.name.ends_with(".journal")
                                          ? JournalBytes(p.frames, p.flip)
                                          : RecordingBytes(p.frames, 2);
            std::error_code ec;
            if (p.kind == Put::LinkOut) {
                test::WriteBytes(PathToUtf8(outside / p.name), bytes);
                fs::create_symlink(outside / p.name, path, ec);
            } else if (p.kind == Put::Folder) {
                fs::create_directory(path, ec);
            } else if (p.kind == Put::Fifo) {
#ifdef _WIN32
                ec = std::make_error_code(std::errc::not_supported);
#else
                if (::mkfifo(path.c_str(), 0600) != 0) ec.assign(errno, std::generic_category());
#endif
            } else {
                test::WriteBytes(PathToUtf8(path), bytes);
                fs::last_write_time(path, fs::file_time_type::clock::now() +
                                              std::chrono::hours(p.hoursAhead));
            }
            skipped = skipped || ec;
            // Through a link: what it leads to.
            if (!ec && p.kind != Put::Folder && p.kind != Put::Fifo)
                before[p.name] = {test::ReadBytes(PathToUtf8(path)), fs::last_write_time(path)};
        }
        if (skipped) { // links or FIFOs cannot be made here
            std::cout << "[ SKIPPED  ] " << c.fault << "\n";
            continue;
        }

        const Recovery recovery = RecoverReadings(PathToUtf8(folder));
        PruneReadings(PathToUtf8(folder), {c.keep, 1 << 30});

        EXPECT_EQ(static_cast<int>(recovery.recovered.size()), c.announced);
        std::map<std::string, int> after;
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = PathToUtf8(entry.path().filename());
            const auto put = before.find(name);
            int frames = -1;
            if (put == before.end() && name.ends_with(".kvr")) {
                const RecordingLoad load = LoadRecordingFile(PathToUtf8(entry.path()));
                frames = load.status.ok() ? load.document.Length() : -2;
            } else if (put != before.end()) {
                EXPECT_EQ(test::ReadBytes(PathToUtf8(entry.path())), put->second.first) << name;
                EXPECT_EQ(entry.last_write_time(), put->second.second) << name;
            }
            after[name] = frames;
        }
        std::map<std::string, int> expected = c.added;
        for (const Put& p : c.put)
            if (!c.gone.contains(p.name)) expected[p.name] = -1;
        EXPECT_EQ(after, expected);
    }
}

// Two instances start readings in the same second and end them at once, again and again, while
// a third starts and completes what it finds unfinished: every reading gets a name of its own
// and keeps its own frame, and no journal that an instance holds, or is still creating, is
// taken for an unfinished one.
TEST(ReadingFaults, InstancesStartingTogetherNeverShareAName) {
    test::TempDir dir;
    const std::string folder = dir.File("readings");
    constexpr int Rounds = 25;
    std::atomic<bool> reading = true;
    std::atomic<std::size_t> recovered = 0;
    std::thread starter([&] {
        while (reading) recovered += RecoverReadings(folder).recovered.size();
    });
    const auto instance = [&](int id) {
        for (int round = 0; round < Rounds; ++round) {
            FileStatus status;
            const auto journal = CreateReadingJournal(folder, {2026, 12, 9, 14, 3, 11, 0}, status);
            ASSERT_TRUE(journal) << status.message;
            FrameRow row;
            row.Analog = {static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(round)};
            ASSERT_TRUE(journal->Append(JournalRecord(1, row)).ok());
            const FoldResult fold = FoldJournal(*journal);
            ASSERT_TRUE(fold.status.ok() && fold.written) << fold.status.message;
        }
    };
    std::thread first(instance, 0), second(instance, 1);
    first.join();
    second.join();
    reading = false;
    starter.join();
    EXPECT_EQ(recovered, 0u);
    std::set<std::pair<int, int>> kept; // the instance and round of every file in the folder
    for (const auto& entry : fs::directory_iterator(PathFromUtf8(folder))) {
        const RecordingLoad load = LoadRecordingFile(PathToUtf8(entry.path()));
        ASSERT_TRUE(load.status.ok()) << entry.path();
        kept.insert({load.document.frames[0].Analog[0], load.document.frames[0].Analog[1]});
    }
    EXPECT_EQ(kept.size(), 2u * Rounds);
}

} // namespace
} // namespace qv
