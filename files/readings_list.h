#pragma once

#include "files/file_status.h"
#include "files/recording_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qv {

// The readings folder as a list to pick a reading from: its recordings, newest first, each with
// its start, length, frames, comment, whether a start recovered it, and its size; and the damaged
// journals kept aside, each below the recording made of it. The window and the companion show
// the same rows.

// One file of the folder as it was found.
struct ReadingFile {
    std::string name; // the file's name
    std::string path; // the file's full path
    std::uintmax_t bytes = 0;
    // When the program finished it (its modification time): the newest is the one finished last,
    // as the folder's limits count.
    std::filesystem::file_time_type finished{};
    bool damagedJournal = false; // a journal kept aside as damaged, not a recording
    // A recording's lines that the list shows; its header is not `ours` when the file could not
    // be read (`status`) or is no recording of the program.
    RecordingHeader header;
    FileStatus status;
    bool recovered = false;       // a start completed it from its journal
    std::string journalKeptAside; // … from a damaged journal, kept under this name
};

// The folder's recordings and damaged journals: regular files with the program's names, each
// checked and read without following a link; other files, links and folders are left out. A
// recording's lines are read through the bounded reader. Nothing when the folder is missing.
std::vector<ReadingFile> ScanReadingsFolder(const std::string& folder);

inline constexpr std::size_t ReadingColumnCount = 6;
// The list's column headings.
inline constexpr std::array<const char*, ReadingColumnCount> ReadingColumns{
    "Начало", "Длительность", "Кадров", "Комментарий", "Состояние", "Размер"};

struct ReadingRow {
    // The cells under ReadingColumns: "09.12.2026 14:03:11", "0:04:37", "200", the comment's
    // first line, "восстановлено" (or empty), "287 КБ".
    std::array<std::string, ReadingColumnCount> cells;
    std::string path;     // the file the row stands for
    std::string loadPath; // what choosing the row loads: the recording; empty for none
};

// The rows of the files found, newest first; a damaged journal right below the recording made
// of it.
std::vector<ReadingRow> ReadingRows(const std::vector<ReadingFile>& files);

// A row as one line of text: its cells and its path, separated by tabs.
std::string ReadingLine(const ReadingRow& row);

} // namespace qv
