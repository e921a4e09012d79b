#include "files/file_messages.h"

#include <cerrno>
#include <cstring>

namespace qv {
namespace {

std::string NodeText(NodeKind kind) {
    switch (kind) {
    case NodeKind::Directory:
        return "это папка, а не обычный файл";
    case NodeKind::Device:
        return "это устройство, а не обычный файл";
    case NodeKind::Fifo:
        return "это канал (FIFO), а не обычный файл";
    case NodeKind::Socket:
        return "это сокет, а не обычный файл";
    case NodeKind::Other:
        break;
    }
    return "это не обычный файл";
}

} // namespace

std::string CannotWriteNodeText(const std::string& path, NodeKind kind) {
    return "Нельзя записать в " + path + ": " + NodeText(kind);
}

std::string CannotReadNodeText(const std::string& path, NodeKind kind) {
    return "Нельзя прочитать " + path + ": " + NodeText(kind);
}

std::string DanglingLinkText(const std::string& path) {
    return "Нельзя записать в " + path + ": это ссылка на несуществующий файл";
}

std::string TooLargeText(const std::string& path, std::size_t maxBytes) {
    return "Нельзя прочитать " + path + ": файл больше " + SizeText(maxBytes);
}

std::string SameAsInputText(const std::string& output, const std::string& input) {
    return "Нельзя записать в " + output + ": это тот же файл, что и " + input;
}

std::string OpenFailedText(const std::string& path, const std::string& reason) {
    return "Не удаётся открыть файл " + path + ": " + reason;
}

std::string ReadFailedText(const std::string& path, const std::string& reason) {
    return "Ошибка чтения файла " + path + ": " + reason;
}

std::string WriteFailedText(const std::string& path, const std::string& reason) {
    return "Ошибка записи в файл " + path + ": " + reason;
}

std::string ErrnoText(int error) {
    switch (error) {
    case ENOENT:
        return "нет такого файла или папки";
    case EACCES:
    case EPERM:
        return "отказано в доступе";
    case ENOSPC:
        return "на диске нет места";
    case EISDIR:
        return "это папка";
    case EROFS:
        return "диск доступен только для чтения";
    default:
        return std::strerror(error);
    }
}

std::string SizeText(std::size_t bytes) {
    constexpr std::size_t Kilo = 1024;
    if (bytes >= Kilo * Kilo && bytes % (Kilo * Kilo) == 0)
        return std::to_string(bytes / (Kilo * Kilo)) + " МБ";
    if (bytes >= Kilo && bytes % Kilo == 0) return std::to_string(bytes / Kilo) + " КБ";
    return std::to_string(bytes) + " байт";
}

} // namespace qv
