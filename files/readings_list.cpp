#include "files/readings_list.h"

#include "files/file_io.h"
#include "files/readings_folder.h"
#include "files/recovered_mark.h"
#include "recording/frame_time.h"

#include <algorithm>
#include <tuple>

namespace qv {
namespace {

namespace fs = std::filesystem;

const std::string DamagedJournalSuffix = std::string(JournalSuffix) + DamagedSuffix;
constexpr std::size_t CommentCharacters = 100; // the rest of a long line is cut

// "09.12.2026 14:03:11" of a reading's start as its name gives it, "2026-12-09_14-03-11".
std::string StartText(const std::string& start) {
    const std::string hour = start[11] == '0' ? start.substr(12, 1) : start.substr(11, 2);
    return start.substr(8, 2) + "." + start.substr(5, 2) + "." + start.substr(0, 4) + " " + hour +
           ":" + start.substr(14, 2) + ":" + start.substr(17, 2);
}

// A comment line as one cell: blanks for tabs and other control characters, and cut short.
std::string CommentCell(const std::string& line) {
    std::string cell;
    std::size_t characters = 0;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80 && ++characters > CommentCharacters) return cell + "…";
        cell += byte < 0x20 || byte == 0x7F ? ' ' : c;
    }
    return cell;
}

// "287 КБ", whole kilobytes rounded up; "100 байт" below one.
std::string SizeCell(std::uintmax_t bytes) {
    if (bytes < 1024) return std::to_string(bytes) + " байт";
    return std::to_string((bytes + 1023) / 1024) + " КБ";
}

std::string StateCell(const ReadingFile& file) {
    if (file.damagedJournal) return "повреждённый журнал";
    if (!file.status.ok()) return "не читается";
    if (!file.header.ours) return NotThisProgramText;
    // A frame's time that cannot be read (a file cut short): loading it would fail.
    if (!file.header.firstTime || !file.header.lastTime) return "повреждена";
    if (!file.recovered) return "";
    return file.journalKeptAside.empty() ? "восстановлено" : "восстановлено, есть потери";
}

// The recording made of a damaged journal: the one whose mark names it, or else the one of its
// name.
const ReadingFile* RecordingOf(const ReadingFile& journal, const std::vector<ReadingFile>& files) {
    const std::string own =
        journal.name.substr(0, journal.name.size() - DamagedJournalSuffix.size()) +
        std::string(RecordingSuffix);
    const ReadingFile* named = nullptr;
    for (const ReadingFile& file : files) {
        if (file.damagedJournal) continue;
        if (file.journalKeptAside == journal.name) return &file;
        if (file.name == own) named = &file;
    }
    return named;
}

ReadingRow RowOf(const ReadingFile& file, const ReadingFile* recording) {
    ReadingRow row;
    row.path = file.path;
    const auto name = ReadingName(
        file.name, file.damagedJournal ? std::string_view(DamagedJournalSuffix) : RecordingSuffix);
    if (name) row.cells[0] = StartText(name->first);
    const RecordingHeader& header = file.header;
    if (header.ours) {
        if (header.firstTime && header.lastTime)
            row.cells[1] = DurationText(SpanMilliseconds(*header.firstTime, *header.lastTime));
        row.cells[2] = std::to_string(header.frames);
        if (header.commentFirstLine) row.cells[3] = CommentCell(*header.commentFirstLine);
    }
    row.cells[4] = StateCell(file);
    row.cells[5] = SizeCell(file.bytes);
    row.loadPath = file.damagedJournal ? (recording ? recording->path : "") : file.path;
    return row;
}

} // namespace

std::vector<ReadingFile> ScanReadingsFolder(const std::string& folder) {
    std::vector<ReadingFile> files;
    std::string bytes;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(PathFromUtf8(folder), ec)) {
        ReadingFile file;
        file.name = PathToUtf8(entry.path().filename());
        file.damagedJournal = ReadingName(file.name, DamagedJournalSuffix).has_value();
        std::error_code entryError;
        if ((!file.damagedJournal && !ReadingName(file.name, RecordingSuffix)) ||
            entry.symlink_status(entryError).type() != fs::file_type::regular)
            continue;
        file.path = PathToUtf8(entry.path());
        file.bytes = entry.file_size(entryError);
        file.finished = entry.last_write_time(entryError);
        if (!file.damagedJournal) {
            file.status = ReadWholeFile(file.path, bytes, MaxRecordingFileBytes, false);
            if (file.status.ok()) {
                file.bytes = bytes.size();
                file.header = ReadRecordingHeader(bytes);
            }
            if (const auto mark = ReadRecoveredMark(file.path, file.bytes)) {
                file.recovered = true;
                file.journalKeptAside = mark->damagedJournal;
            }
        }
        files.push_back(std::move(file));
    }
    return files;
}

std::vector<ReadingRow> ReadingRows(const std::vector<ReadingFile>& files) {
    // Each file goes where its recording goes: the newest first, a journal below its recording.
    struct Placed {
        const ReadingFile* file;
        const ReadingFile* recording; // of a damaged journal
        const ReadingFile* place;
    };
    std::vector<Placed> placed;
    for (const ReadingFile& file : files) {
        const ReadingFile* recording = file.damagedJournal ? RecordingOf(file, files) : nullptr;
        placed.push_back({&file, recording, recording ? recording : &file});
    }
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return std::tuple(b.place->finished, b.place->name, a.file->damagedJournal) <
               std::tuple(a.place->finished, a.place->name, b.file->damagedJournal);
    });
    std::vector<ReadingRow> rows;
    for (const Placed& p : placed) rows.push_back(RowOf(*p.file, p.recording));
    return rows;
}

std::string ReadingLine(const ReadingRow& row) {
    std::string line;
    for (const std::string& cell : row.cells) line += cell + "\t";
    return line + row.path;
}

} // namespace qv
