#pragma once

#include "files/file_status.h"

#include <cstddef>
#include <string>
#include <utility>

namespace qv {

// Texts and results of the file functions' failures, shared by the POSIX and the Windows code.
// Paths are UTF-8, as the user gave them.

inline FileStatus Refused(std::string message) {
    return FileStatus::Error(FileErrorKind::Refused, std::move(message));
}
// The window shows CannotCreateText alone; the message adds the system's reason, when known,
// for the companion: "Ошибка записи в файл. Причина: нет такого файла или папки".
inline FileStatus CannotCreate(const std::string& reason = {}) {
    return FileStatus::Error(FileErrorKind::CannotCreate,
                             reason.empty() ? CannotCreateText
                                            : CannotCreateText + (" Причина: " + reason));
}

// What lies at a path when it is not a regular file.
enum class NodeKind { Directory, Device, Fifo, Socket, Other };

// "Нельзя записать в PATH: это устройство, а не обычный файл" and the like.
std::string CannotWriteNodeText(const std::string& path, NodeKind kind);
// "Нельзя прочитать PATH: это канал (FIFO), а не обычный файл" and the like.
std::string CannotReadNodeText(const std::string& path, NodeKind kind);
// A symbolic link whose file does not exist (or a loop of links).
std::string DanglingLinkText(const std::string& path);
// A file of more than `maxBytes` bytes.
std::string TooLargeText(const std::string& path, std::size_t maxBytes);
// The output names the same file as the input.
std::string SameAsInputText(const std::string& output, const std::string& input);
// The system's reason why a file could not be opened, read or written.
std::string OpenFailedText(const std::string& path, const std::string& reason);
std::string ReadFailedText(const std::string& path, const std::string& reason);
std::string WriteFailedText(const std::string& path, const std::string& reason);

// The system's reason for a failed file operation (an errno value), as the program says it:
// the common ones in Russian ("нет такого файла или папки", "отказано в доступе", "на диске нет
// места", "это папка", "диск доступен только для чтения"), any other in the system's words.
std::string ErrnoText(int error);

// A byte count for the user: "10 МБ", "64 КБ" or "100 байт".
std::string SizeText(std::size_t bytes);

} // namespace qv
