#pragma once

// A readings folder as a user's may look after a few readings and a crash: recordings of a few
// frames with comments, one reading past midnight, two readings completed by a start (one from
// a damaged journal), a recording cut short, a file with a reading's name that is none, a
// foreign file and a link. The
// list's test and the companion's test read the same folder.
#include "files/file_io.h"
#include "files/reading_journal.h"
#include "files/readings_folder.h"
#include "files/recording_file.h"
#include "recording/frame_time.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qv::test {

inline std::vector<FrameRow> FramesAt(const std::vector<const char*>& times) {
    std::vector<FrameRow> frames(times.size());
    for (std::size_t i = 0; i < times.size(); ++i) frames[i].FrameTime = *ParseTimeOfDay(times[i]);
    return frames;
}

// Plants the readings and lets a start recover the two killed ones; false when it did not.
inline bool PlantReadings(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    fs::create_directories(folder);
    const auto plant = [&](const std::string& name, const std::string& bytes, int hoursAgo) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        fs::last_write_time(folder / name,
                            fs::file_time_type::clock::now() - std::chrono::hours(hoursAgo));
    };
    RecordingDocument plain;
    plain.frames = FramesAt({"14:03:12", "14:03:13", "14:03:15"});
    plain.comment = {"Обороты плавают", "на холодную"};
    plant("2026-12-09_14-03-11.kvr", RecordingFileBytes(plain), 3);
    RecordingDocument pastMidnight;
    pastMidnight.frames = FramesAt({"23:59:58", "0:00:02"});
    pastMidnight.comment = {"холодный\tпуск"};
    plant("2026-12-09_23-59-50.kvr", RecordingFileBytes(pastMidnight), 2);
    plant("2026-12-08_07-00-00.kvr", std::string(2049, 'x'), 4); // a reading's name only
    plant("2026-12-07_06-00-00.kvr", RecordingFileBytes(plain).substr(0, 200), 5); // cut short
    plant("notes.txt", RecordingFileBytes(plain), 1);
    std::error_code noLinks; // where links cannot be made, there is none to leave out
    fs::create_symlink(folder / "2026-12-09_14-03-11.kvr", folder / "2026-12-12_10-00-00.kvr",
                       noLinks);
    // Two readings whose program was killed: one journal whole, one with its middle record hit.
    const std::vector<FrameRow> killed = FramesAt({"9:00:01", "9:00:02"});
    plant("2026-12-10_09-00-00.journal",
          std::string(JournalHeader) + JournalRecord(1, killed[0]) + JournalRecord(2, killed[1]),
          1);
    const std::vector<FrameRow> hit = FramesAt({"8:15:01", "8:15:02", "8:15:03"});
    std::string damaged = std::string(JournalHeader) + JournalRecord(1, hit[0]) +
                          JournalRecord(2, hit[1]) + JournalRecord(3, hit[2]);
    damaged[JournalHeader.size() + JournalRecordBytes + 5] ^= 0x10;
    plant("2026-12-11_08-15-00.journal", damaged, 1);
    return RecoverReadings(PathToUtf8(folder)).recovered.size() == 2;
}

} // namespace qv::test
