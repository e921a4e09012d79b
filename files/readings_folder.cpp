#include "files/readings_folder.h"

#include "files/file_io.h"
#include "files/file_messages.h"
#include "files/reading_journal.h"
#include "files/recording_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <tuple>

namespace qv {
namespace {

constexpr std::string_view RecordingSuffix = ".kvr";
constexpr std::size_t BaseNameLength = 19; // 2026-12-09_14-03-11

// The order of a reading's file name (its start and the number of its suffix), or nothing for
// a name that is not a reading's.
std::optional<std::pair<std::string, int>> ReadingOrder(const std::string& fileName) {
    if (!fileName.ends_with(RecordingSuffix) ||
        fileName.size() < BaseNameLength + RecordingSuffix.size())
        return std::nullopt;
    const std::string base = fileName.substr(0, BaseNameLength);
    constexpr std::string_view Shape = "dddd-dd-dd_dd-dd-dd";
    for (std::size_t i = 0; i < BaseNameLength; ++i)
        if (Shape[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(base[i]))
                            : base[i] != Shape[i])
            return std::nullopt;
    const std::string suffix =
        fileName.substr(BaseNameLength, fileName.size() - BaseNameLength - RecordingSuffix.size());
    if (suffix.empty()) return std::pair{base, 1};
    if (suffix.size() < 2 || suffix.size() > 6 || suffix[0] != '_') return std::nullopt;
    for (std::size_t i = 1; i < suffix.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(suffix[i]))) return std::nullopt;
    return std::pair{base, std::atoi(suffix.c_str() + 1)};
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(PathFromUtf8(path), ec));
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
    std::filesystem::create_directories(PathFromUtf8(folder), ec);
    const std::string base = ReadingBaseName(startedAt);
    status = CannotCreate();
    for (int n = 1; n <= 999; ++n) {
        const std::string name = n == 1 ? base : base + "_" + std::to_string(n);
        const std::string path = JoinPath(folder, name);
        if (Exists(path + std::string(RecordingSuffix))) continue;
        if (auto journal = JournalFile::Create(path + JournalSuffix, status)) return journal;
        if (!Exists(path + JournalSuffix)) return nullptr; // not a taken name: cannot write
    }
    return nullptr;
}

FileStatus FoldJournal(JournalFile& journal, std::string& recordingName) {
    recordingName.clear();
    std::string bytes;
    if (FileStatus status = journal.ReadAll(bytes, MaxJournalBytes); !status.ok()) return status;
    RecordingDocument document;
    document.frames = ParseJournal(bytes);
    if (!document.frames.empty()) {
        std::string path = journal.Path();
        path.replace(path.size() - std::string_view(JournalSuffix).size(), std::string::npos,
                     RecordingSuffix);
        if (FileStatus status = SaveRecordingFile(path, document); !status.ok()) return status;
        recordingName = PathToUtf8(PathFromUtf8(path).filename());
    }
    journal.Remove();
    return {};
}

std::vector<std::string> RecoverReadings(const std::string& folder) {
    std::vector<std::string> journals;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(folder), ec)) {
        const std::string path = PathToUtf8(entry.path());
        if (path.ends_with(JournalSuffix)) journals.push_back(path);
    }
    std::sort(journals.begin(), journals.end());
    std::vector<std::string> recovered;
    for (const std::string& path : journals) {
        const auto journal = JournalFile::TakeOver(path);
        std::string name;
        if (journal && FoldJournal(*journal, name).ok() && !name.empty()) recovered.push_back(name);
    }
    return recovered;
}

void PruneReadings(const std::string& folder, const ReadingsLimits& limits) {
    struct Reading {
        std::pair<std::string, int> order;
        std::filesystem::path path;
        std::uintmax_t bytes;
    };
    std::vector<Reading> readings;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(folder), ec)) {
        const auto order = ReadingOrder(PathToUtf8(entry.path().filename()));
        std::error_code sizeError;
        if (!order || !entry.is_regular_file(sizeError)) continue;
        const std::uintmax_t bytes = entry.file_size(sizeError);
        readings.push_back({*order, entry.path(), sizeError ? 0 : bytes});
    }
    std::sort(readings.begin(), readings.end(),
              [](const Reading& a, const Reading& b) { return a.order > b.order; });
    std::uintmax_t kept = 0;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        kept += readings[i].bytes;
        if (i > 0 && (i >= limits.files || kept > limits.bytes))
            std::filesystem::remove(readings[i].path, ec);
    }
}

} // namespace qv
