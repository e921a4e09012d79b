// A reading on a full disk: a small file system of its own, which only root may mount.
#include "app/reading_keeper.h"
#include "app/reading_session.h"
#include "files/recording_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/mount.h>
#include <unistd.h>

namespace qv::test {
namespace {

namespace fs = std::filesystem;

TEST(FullDisk, ReadingGoesOnInMemoryAndIsWholeOnDiskOnceThereIsRoomAgain) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    const fs::path disk =
        fs::temp_directory_path() / ("qv_full_disk_" + std::to_string(std::random_device{}()));
    fs::create_directories(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0755") != 0)
        GTEST_SKIP() << "cannot mount a file system here: " << std::strerror(errno);
    struct Unmount {
        fs::path path;
        ~Unmount() {
            ::umount2(path.c_str(), MNT_DETACH);
            fs::remove(path);
        }
    } unmount{disk};
    {
        std::ofstream filler(disk / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), block.size())) filler.flush();
    }

    std::atomic<int> notKept = 0, keptAgain = 0;
    ReadingKeeper::Events events;
    events.notKept = [&notKept] { ++notKept; };
    events.keptAgain = [&keptAgain] { ++keptAgain; };
    ProgramState state;
    {
        ReadingKeeper keeper((disk / "readings").string(), events);
        ReadingSession session(state, &keeper);
        const std::uint64_t generation = session.Start({2026, 12, 9, 14, 3, 11, 0});
        LineFrame frame;
        for (int n = 1; n <= 8; ++n) {
            if (n == 6) { // room again: the next frame brings the five before it along
                EXPECT_FALSE(session.LatestRunOnDisk(std::chrono::seconds(5)));
                fs::remove(disk / "filler");
            }
            frame.DataSamples[0] = static_cast<std::uint8_t>(n & 1);
            ASSERT_TRUE(
                state.handOver.Publish(generation, frame.DataSamples, frame.HeaderSamples, 0, n));
            EXPECT_EQ(session.CommitNext(1.5).slot, n);
        }
        EXPECT_TRUE(session.Reading());
        (void)session.End(RunEnd::Stop, 1.5);
    }
    EXPECT_EQ(notKept, 1);
    EXPECT_EQ(keptAgain, 1);
    const RecordingLoad load =
        LoadRecordingFile((disk / "readings" / "2026-12-09_14-03-11.kvr").string());
    ASSERT_TRUE(load.status.ok()) << load.status.message;
    EXPECT_EQ(load.document.Length(), 8);
}

} // namespace
} // namespace qv::test
