#include "files/recovered_mark.h"

#include "base/parse_integer.h"
#include "files/file_io.h"
#include "files/line_reader.h"

#include <filesystem>

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view MarkHeader = "Quintovar recovered reading";
constexpr std::size_t MaxMarkBytes = 4096;

fs::path MarkPath(const std::string& recordingPath) {
    return PathFromUtf8(recordingPath).replace_extension(RecoveredSuffix);
}

bool RegularFileAt(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() == fs::file_type::regular;
}

} // namespace

void WriteRecoveredMark(const std::string& recordingPath, const RecoveredMark& mark) {
    const std::string bytes = std::string(MarkHeader) + "\r\n" +
                              std::to_string(mark.recordingBytes) + "\r\n" + mark.damagedJournal +
                              "\r\n";
    RemoveRecoveredMark(recordingPath); // an older one, left by a crash
    bool taken = false;
    (void)CreateFileExclusively(PathToUtf8(MarkPath(recordingPath)), bytes,
                                fs::file_time_type::clock::now(), taken);
}

std::optional<RecoveredMark> ReadRecoveredMark(const std::string& recordingPath,
                                               std::uintmax_t recordingBytes) {
    std::string bytes;
    if (!ReadWholeFile(PathToUtf8(MarkPath(recordingPath)), bytes, MaxMarkBytes, false).ok())
        return std::nullopt;
    LineReader reader(bytes);
    if (reader.Next() != MarkHeader) return std::nullopt;
    const auto size = ParseInteger(reader.Next());
    if (!size || static_cast<std::uintmax_t>(*size) != recordingBytes) return std::nullopt;
    return RecoveredMark{recordingBytes, reader.Next()};
}

void RemoveRecoveredMark(const std::string& recordingPath) {
    const fs::path mark = MarkPath(recordingPath);
    std::error_code ec;
    if (RegularFileAt(mark)) fs::remove(mark, ec);
}

} // namespace qv
