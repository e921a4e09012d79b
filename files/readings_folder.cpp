#include "files/readings_folder.h"

#include "files/file_io.h"
#include "files/file_messages.h"
#include "files/reading_journal.h"
#include "files/recording_file.h"
#include "files/recovered_mark.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <tuple>

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t BaseNameLength = 19; // 2026-12-09_14-03-11

} // namespace

std::optional<std::pair<std::string, int>> ReadingName(std::string_view fileName,
                                                       std::string_view suffix) {
    if (!fileName.ends_with(suffix) || fileName.size() < BaseNameLength + suffix.size())
        return std::nullopt;
    const std::string base(fileName.substr(0, BaseNameLength));
    constexpr std::string_view Shape = "dddd-dd-dd_dd-dd-dd";
    for (std::size_t i = 0; i < BaseNameLength; ++i)
        if (Shape[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(base[i]))
                            : base[i] != Shape[i])
            return std::nullopt;
    const std::string number(
        fileName.substr(BaseNameLength, fileName.size() - BaseNameLength - suffix.size()));
    if (number.empty()) return std::pair{base, 1};
    // "_2" and on: the first reading of a second has no number, so "_1" is nobody's.
    if (number.size() < 2 || number.size() > 6 || number[0] != '_' || number[1] == '0' ||
        number == "_1")
        return std::nullopt;
    for (std::size_t i = 1; i < number.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(number[i]))) return std::nullopt;
    return std::pair{base, std::atoi(number.c_str() + 1)};
}

namespace {

// "2026-12-09_14-03-11" for the first, "2026-12-09_14-03-11_2" for the second, …
std::string NumberedName(const std::string& base, int n) {
    return n == 1 ? base : base + "_" + std::to_string(n);
}

fs::file_type TypeAt(const std::string& path) {
    std::error_code ec;
    return fs::symlink_status(PathFromUtf8(path), ec).type();
}

bool Exists(const std::string& path) {
    const fs::file_type type = TypeAt(path);
    return type != fs::file_type::not_found && type != fs::file_type::none;
}

// The folder's recordings: regular files with a reading's name.
struct Reading {
    std::string name;
    fs::path path;
    fs::file_time_type finished;
    std::uintmax_t bytes;
};
std::vector<Reading> FolderRecordings(const std::string& folder) {
    std::vector<Reading> readings;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(PathFromUtf8(folder), ec)) {
        std::string name = PathToUtf8(entry.path().filename());
        std::error_code entryError;
        if (!ReadingName(name, RecordingSuffix) ||
            entry.symlink_status(entryError).type() != fs::file_type::regular)
            continue;
        const std::uintmax_t bytes = entry.file_size(entryError);
        const fs::file_time_type finished = entry.last_write_time(entryError);
        readings.push_back({std::move(name), entry.path(), finished, entryError ? 0 : bytes});
    }
    return readings;
}

// The modification time of a recording finished now: the folder's newest, even when the clock
// stands behind the times of recordings finished before.
fs::file_time_type FinishedStamp(const std::string& folder) {
    fs::file_time_type stamp = fs::file_time_type::clock::now();
    for (const Reading& reading : FolderRecordings(folder))
        stamp = std::max(stamp, reading.finished + std::chrono::seconds(1));
    return stamp;
}

bool HoldsTheSameFrames(const std::string& path, std::string_view recording) {
    const RecordingLoad existing = LoadRecordingFile(path);
    return existing.status.ok() &&
           existing.document.frames == ParseRecording(recording).document.frames;
}

// Writes a journal's recording under the first of its names that is free, or finds it there
// already; the name goes to `result`.
FileStatus PutRecording(const std::string& journalPath, std::string_view recording,
                        FoldResult& result) {
    const fs::path journal = PathFromUtf8(journalPath);
    const std::string folder = PathToUtf8(journal.parent_path());
    const auto name = ReadingName(PathToUtf8(journal.filename()), JournalSuffix);
    if (!name) return CannotCreate();
    for (int n = name->second; n <= 999; ++n) {
        const std::string stem = JoinPath(folder, NumberedName(name->first, n));
        const std::string path = stem + std::string(RecordingSuffix);
        result.recording = PathToUtf8(PathFromUtf8(path).filename());
        // Another reading's journal reserves its recording's name.
        if (n != name->second && Exists(stem + JournalSuffix)) continue;
        const fs::file_type type = TypeAt(path);
        if (type == fs::file_type::regular && HoldsTheSameFrames(path, recording)) return {};
        if (type != fs::file_type::not_found) continue; // a different file, a link, a folder, …
        bool taken = false;
        const FileStatus status =
            CreateFileExclusively(path, recording, FinishedStamp(folder), taken);
        if (taken) continue;
        result.written = status.ok();
        return status;
    }
    result.recording.clear();
    return CannotCreate();
}

// Marks the journal's recording as recovered, with the name its damaged journal was kept under.
void MarkRecovered(const JournalFile& journal, const FoldResult& result) {
    const std::string folder = PathToUtf8(PathFromUtf8(journal.Path()).parent_path());
    const std::string recording = JoinPath(folder, result.recording);
    std::error_code ec;
    if (TypeAt(recording) != fs::file_type::regular) return;
    const std::uintmax_t bytes = fs::file_size(PathFromUtf8(recording), ec);
    if (!ec) WriteRecoveredMark(recording, {bytes, result.damaged ? result.keptJournal : ""});
}

// Removes a recording with its mark and the damaged journal it was recovered from (the
// journal's intact records are all in the recording).
void RemoveReading(const Reading& reading) {
    const std::string path = PathToUtf8(reading.path);
    const auto mark = ReadRecoveredMark(path, reading.bytes);
    std::error_code ec;
    if (!fs::remove(reading.path, ec)) return;
    RemoveRecoveredMark(path);
    const std::string damaged = mark ? mark->damagedJournal : std::string();
    if (ReadingName(damaged, std::string(JournalSuffix) + DamagedSuffix) &&
        TypeAt(JoinPath(PathToUtf8(reading.path.parent_path()), damaged)) == fs::file_type::regular)
        fs::remove(reading.path.parent_path() / PathFromUtf8(damaged), ec);
}

// Marks whose recordings are gone (removed by hand) would only pile up.
void RemoveOrphanedMarks(const std::string& folder) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(PathFromUtf8(folder), ec)) {
        const auto name = ReadingName(PathToUtf8(entry.path().filename()), RecoveredSuffix);
        if (!name) continue;
        fs::path recording = entry.path();
        recording.replace_extension(RecordingSuffix);
        if (!Exists(PathToUtf8(recording))) RemoveRecoveredMark(PathToUtf8(recording));
    }
}

} // namespace

std::string ChooseReadingsFolder(const std::string& executableDir, const std::string& xdgDataHome,
                                 const std::string& home, const std::string& localAppData,
                                 const std::function<bool(const std::string&)>& folderWritable,
                                 bool windows) {
    if (windows) {
        const std::string beside = JoinPath(executableDir, "readings");
        const bool usable = folderWritable(beside) || (!Exists(beside) && !executableDir.empty() &&
                                                       folderWritable(executableDir));
        if (usable || localAppData.empty()) return beside;
        return JoinPath(JoinPath(localAppData, "Quintovar"), "readings");
    }
    std::string dataDir;
    if (!xdgDataHome.empty() && PathFromUtf8(xdgDataHome).is_absolute())
        dataDir = xdgDataHome;
    else if (!home.empty())
        dataDir = JoinPath(JoinPath(home, ".local"), "share");
    else
        return {};
    return JoinPath(JoinPath(dataDir, "quintovar"), "readings");
}

std::string ReadingsFolderPath(const std::string& executableDir) {
#ifdef _WIN32
    constexpr bool windows = true;
#else
    constexpr bool windows = false;
#endif
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    return ChooseReadingsFolder(executableDir, variable("XDG_DATA_HOME"), variable("HOME"),
                                variable("LOCALAPPDATA"), DirectoryWritable, windows);
}

void DateFramesOfReading(std::string_view fileName, std::vector<FrameRow>& frames) {
    const auto name = ReadingName(fileName, RecordingSuffix);
    if (!name || frames.empty() || std::floor(frames.front().FrameTime) != 0) return;
    const std::string& base = name->first; // "2026-12-09_14-03-11"
    const auto field = [&base](std::size_t at, std::size_t length) {
        return std::atoi(base.substr(at, length).c_str());
    };
    double day = ToFrameTime({field(0, 4), field(5, 2), field(8, 2)});
    // The first frame comes after "Читать"; a second's leeway for the clock's own steps.
    double previous = (field(11, 2) * 3600 + field(14, 2) * 60 + field(17, 2) - 1) / 86400.0;
    for (FrameRow& row : frames) {
        const double timeOfDay = row.FrameTime;
        if (timeOfDay < 0 || timeOfDay >= 1) return; // not a time of day: left as it is
        if (timeOfDay < previous) day += 1;
        row.FrameTime = day + timeOfDay;
        previous = timeOfDay;
    }
}

std::string ReadingBaseName(const LocalDateTime& t) {
    char name[32];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return name;
}

std::unique_ptr<JournalFile> CreateReadingJournal(const std::string& folder,
                                                  const LocalDateTime& startedAt,
                                                  FileStatus& status) {
    std::error_code ec;
    fs::create_directories(PathFromUtf8(folder), ec);
    std::unique_ptr<JournalFile> journal = JournalFile::CreateHidden(folder, status);
    if (!journal) return nullptr;
    // With its header before it has its name: every journal under a reading's name has it.
    status = journal->Append(JournalHeader);
    const std::string base = ReadingBaseName(startedAt);
    for (int n = 1; n <= 999 && status.ok(); ++n) {
        const std::string stem = JoinPath(folder, NumberedName(base, n));
        bool taken = false;
        status = journal->MoveTo(stem + JournalSuffix, taken);
        if (taken) {
            status = {};
            continue;
        }
        // A recording of this name was finished before the journal got it: its journal, which
        // held the name until then, is gone.
        if (status.ok() && !Exists(stem + std::string(RecordingSuffix))) return journal;
    }
    journal->Remove();
    status = CannotCreate();
    return nullptr;
}

FoldResult FoldJournal(JournalFile& journal, bool recovering) {
    FoldResult result;
    std::string bytes;
    // Room for damage that added bytes, too.
    if (result.status = journal.ReadAll(bytes, 2 * MaxJournalBytes); !result.status.ok())
        return result;
    const JournalContents contents = ParseJournal(bytes);
    if (!contents.ours) return result;
    result.frames = static_cast<int>(contents.frames.size());
    if (!contents.frames.empty()) {
        RecordingDocument document;
        document.frames = contents.frames;
        std::string recording;
        result.status = RecordingBytesForSaving(document, recording);
        if (result.status.ok()) result.status = PutRecording(journal.Path(), recording, result);
        if (!result.status.ok()) return result;
    }
    result.damaged = contents.damaged;
    if (!result.damaged) {
        // Marked while the journal is still there: a crash in between leaves both to the next
        // start, which finds the recording complete and the mark written.
        if (recovering && result.written) MarkRecovered(journal, result);
        journal.Remove();
        return result;
    }
    bool taken = false;
    (void)journal.MoveTo(journal.Path() + DamagedSuffix, taken); // else it keeps its name
    result.keptJournal = PathToUtf8(PathFromUtf8(journal.Path()).filename());
    if (recovering && !result.recording.empty()) MarkRecovered(journal, result);
    return result;
}

Recovery RecoverReadings(const std::string& folder) {
    std::vector<std::string> journals;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(PathFromUtf8(folder), ec)) {
        const std::string name = PathToUtf8(entry.path().filename());
        if (IsTemporaryFileName(name)) { // a writer's leftover when nobody holds it
            if (const auto leftover = JournalFile::TakeOver(PathToUtf8(entry.path())))
                leftover->Remove();
        } else if (ReadingName(name, JournalSuffix))
            journals.push_back(PathToUtf8(entry.path()));
    }
    std::sort(journals.begin(), journals.end());
    Recovery recovery;
    for (const std::string& path : journals) {
        const auto journal = JournalFile::TakeOver(path); // not held elsewhere, a regular file
        if (!journal) continue;
        FoldResult result = FoldJournal(*journal, true);
        if (!result.status.ok())
            recovery.failed.push_back(PathToUtf8(PathFromUtf8(path).filename()));
        else if (result.written || result.keptJournal.ends_with(DamagedSuffix))
            recovery.recovered.push_back(std::move(result));
    }
    return recovery;
}

void PruneReadings(const std::string& folder, const ReadingsLimits& limits,
                   const std::vector<std::string>& keep) {
    std::vector<Reading> readings = FolderRecordings(folder);
    std::sort(readings.begin(), readings.end(), [](const Reading& a, const Reading& b) {
        return std::tie(a.finished, a.name) > std::tie(b.finished, b.name);
    });
    std::uintmax_t kept = 0;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        kept += readings[i].bytes;
        const bool keptAnyway =
            i == 0 || std::find(keep.begin(), keep.end(), readings[i].name) != keep.end();
        if (!keptAnyway && (i >= limits.files || kept > limits.bytes)) RemoveReading(readings[i]);
    }
    RemoveOrphanedMarks(folder);
}

} // namespace qv
