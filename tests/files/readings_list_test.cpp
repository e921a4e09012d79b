// The readings folder as the window's list and `quintovar-cli readings` show it.
#include "planted_readings.h"
#include "test_files.h"

#include "files/readings_list.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

TEST(ReadingsList, ShowsTheFolderNewestFirstWithWhatEachReadingHolds) {
    test::TempDir dir;
    const fs::path& folder = dir.path();
    ASSERT_TRUE(test::PlantReadings(folder));

    struct Row {
        const char* name;
        std::array<const char*, 5> cells; // all but the size
        const char* loads;
    };
    const Row expected[] = {
        {"2026-12-11_08-15-00.kvr",
         {"11.12.2026 8:15:00", "0:00:02", "2", "", "восстановлено, есть потери"},
         "2026-12-11_08-15-00.kvr"},
        {"2026-12-11_08-15-00.journal.damaged",
         {"11.12.2026 8:15:00", "", "", "", "повреждённый журнал"},
         "2026-12-11_08-15-00.kvr"},
        {"2026-12-10_09-00-00.kvr",
         {"10.12.2026 9:00:00", "0:00:01", "2", "", "восстановлено"},
         "2026-12-10_09-00-00.kvr"},
        {"2026-12-09_23-59-50.kvr",
         {"09.12.2026 23:59:50", "0:00:04", "2", "холодный пуск", ""},
         "2026-12-09_23-59-50.kvr"},
        {"2026-12-09_14-03-11.kvr",
         {"09.12.2026 14:03:11", "0:00:03", "3", "Обороты плавают", ""},
         "2026-12-09_14-03-11.kvr"},
        {"2026-12-08_07-00-00.kvr",
         {"08.12.2026 7:00:00", "", "", "", "Файл не этой программы"},
         "2026-12-08_07-00-00.kvr"},
        {"2026-12-07_06-00-00.kvr",
         {"07.12.2026 6:00:00", "", "3", "", "повреждена"},
         "2026-12-07_06-00-00.kvr"},
    };
    const std::vector<ReadingRow> rows = ReadingRows(ScanReadingsFolder(PathToUtf8(folder)));
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(fs::path(rows[i].path), folder / expected[i].name);
        EXPECT_EQ(fs::path(rows[i].loadPath), folder / expected[i].loads);
        for (std::size_t c = 0; c < expected[i].cells.size(); ++c)
            EXPECT_EQ(rows[i].cells[c], expected[i].cells[c]) << ReadingColumns[c];
    }
    EXPECT_EQ(rows[5].cells[5], "3 КБ"); // 2049 bytes
    EXPECT_EQ(ReadingLine(rows[4]), "09.12.2026 14:03:11\t0:00:03\t3\tОбороты плавают\t\t" +
                                        rows[4].cells[5] + "\t" + rows[4].path);

    // The marks of recovery go with their recordings.
    PruneReadings(PathToUtf8(folder), {1, 1 << 30});
    EXPECT_FALSE(fs::exists(folder / "2026-12-10_09-00-00.recovered"));
    EXPECT_TRUE(fs::exists(folder / "2026-12-11_08-15-00.recovered"));
}

// The list reads a file's few lines it shows past its frames: they are those a whole load gives.
TEST(ReadingsList, ReadsTheLinesAWholeLoadGives) {
    for (const int frames : {1, 2, 2000}) {
        const std::string bytes = RecordingFileBytes(test::VariedDocument(frames));
        const RecordingDocument whole = ParseRecording(bytes).document;
        const RecordingHeader header = ReadRecordingHeader(bytes);
        EXPECT_EQ(header.frames, frames);
        EXPECT_EQ(header.firstTime, whole.frames.front().FrameTime);
        EXPECT_EQ(header.lastTime, whole.frames.back().FrameTime);
        EXPECT_EQ(header.commentFirstLine, whole.comment.front());
    }
}

} // namespace
} // namespace qv
