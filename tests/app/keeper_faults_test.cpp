// The keeper when writes fail and work again, through a seam that fails every write on demand:
// it tries again by itself, and a recording it cannot write at the end leaves the journal.
#include "app/reading_keeper.h"
#include "files/recording_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <random>
#include <thread>

namespace qv::test {
namespace {

namespace fs = std::filesystem;

TEST(KeeperFaults, CatchesUpByItselfAndLeavesTheJournalWhenTheEndCannotBeWritten) {
    const fs::path folder =
        fs::temp_directory_path() / ("qv_keeper_" + std::to_string(std::random_device{}()));
    std::atomic<bool> failing = false;
    std::atomic<int> notKept = 0, keptAgain = 0, kept = 0, notFolded = 0;
    ReadingKeeper::Events events;
    events.notKept = [&] { ++notKept; };
    events.keptAgain = [&] { ++keptAgain; };
    events.kept = [&](const std::string&) { ++kept; };
    events.notFolded = [&](const std::string&) { ++notFolded; };
    KeeperOptions options;
    options.retryEvery = std::chrono::milliseconds(20);
    options.failWrites = [&] { return failing.load(); };
    FrameRow row;
    {
        ReadingKeeper keeper(folder.string(), events, options);
        // Failing from the third frame to after the end: nothing more comes to write, the
        // keeper's own tries catch up and fold.
        keeper.BeginReading({2026, 12, 9, 14, 3, 11, 0});
        for (int slot = 1; slot <= 6; ++slot) {
            // The first two on disk, then writes fail.
            if (slot == 3) failing = keeper.LatestReadingOnDisk(std::chrono::seconds(5));
            row.Analog[0] = static_cast<std::uint8_t>(slot);
            keeper.KeepFrame(slot, row);
        }
        keeper.EndReading();
        EXPECT_FALSE(keeper.LatestReadingOnDisk(std::chrono::seconds(5)));
        failing = false;
        for (int waited = 0; kept == 0 && waited < 500; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_TRUE(keeper.LatestReadingOnDisk(std::chrono::seconds(5)));
        // A second reading whose recording cannot be written at its end.
        keeper.BeginReading({2026, 12, 9, 15, 0, 0, 0});
        keeper.KeepFrame(1, row);
        failing = keeper.LatestReadingOnDisk(std::chrono::seconds(5));
        keeper.EndReading();
        (void)keeper.LatestReadingOnDisk(std::chrono::seconds(5));
    }
    EXPECT_EQ(std::tuple(notKept.load(), keptAgain.load(), kept.load(), notFolded.load()),
              std::tuple(1, 1, 1, 1));
    const RecordingLoad first = LoadRecordingFile((folder / "2026-12-09_14-03-11.kvr").string());
    ASSERT_TRUE(first.status.ok());
    EXPECT_EQ(first.document.Length(), 6);
    EXPECT_EQ(first.document.frames[5].Analog[0], 6);
    EXPECT_TRUE(fs::exists(folder / "2026-12-09_15-00-00.journal")); // the next start's
    fs::remove_all(folder);
}

// What a start says of the journals it completed: a damaged journal without one intact frame
// is named as kept aside, not as a recovered reading.
TEST(KeeperFaults, RecoveryTextsSayWhatBecameOfEachJournal) {
    FoldResult whole{{}, "A.kvr", 9, true, false, ""};
    FoldResult hit{{}, "B.kvr", 8, true, true, "B.journal.damaged"};
    FoldResult nothing{{}, "", 0, false, true, "C.journal.damaged"};
    const Recovery recovery{{whole, hit, nothing}, {}};
    EXPECT_EQ(RecoveryNoticeText(recovery), "Спасено кадров: 17, есть потери");
    EXPECT_EQ(RecoveryDetailsText(recovery, ""),
              "Восстановлено незавершённое чтение: A.kvr (кадров: 9)\n"
              "Восстановлено незавершённое чтение: B.kvr (кадров: 8); часть его журнала "
              "повреждена, журнал оставлен как B.journal.damaged\n"
              "В журнале незавершённого чтения не нашлось целых кадров; он оставлен как "
              "C.journal.damaged");
}

} // namespace
} // namespace qv::test
