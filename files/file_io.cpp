#include "files/file_io.h"

#include "files/replace_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

namespace qv {

std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

FileStatus ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(PathFromUtf8(path), ec))
        return FileStatus::Error(FileErrorKind::Io,
                                 "Не удаётся открыть файл " + path + ": " + std::strerror(EISDIR));
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    if (!in) {
        const int error = errno;
        return FileStatus::Error(FileErrorKind::Io, "Не удаётся открыть файл " + path + ": " +
                                                        std::strerror(error ? error : ENOENT));
    }
    const auto size = std::filesystem::file_size(PathFromUtf8(path), ec);
    if (!ec) bytes.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return FileStatus::Error(FileErrorKind::Io, "Ошибка чтения файла " + path);
    return {};
}

std::filesystem::path TemporaryPathFor(const std::filesystem::path& target) {
    std::filesystem::path temporary = target;
    temporary += ".qvtmp";
    return temporary;
}

FileStatus WriteFileAtomically(const std::string& path, std::string_view bytes) {
    std::filesystem::path target = PathFromUtf8(path);
    std::error_code ec;
    // Replace the file a symbolic link points to, not the link.
    if (std::filesystem::is_symlink(target, ec)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    if (std::filesystem::is_directory(target, ec))
        return FileStatus::Error(FileErrorKind::CannotCreate, kCannotCreateText);
    if (std::filesystem::exists(target, ec)) {
        // A read-only or locked target cannot be replaced, as if it could not be created.
        std::FILE* existing = OpenFile(target, "r+b");
        if (!existing) return FileStatus::Error(FileErrorKind::CannotCreate, kCannotCreateText);
        std::fclose(existing);
    }
    const std::filesystem::path temporary = TemporaryPathFor(target);
    std::FILE* file = OpenFile(temporary, "wb");
    if (!file) return FileStatus::Error(FileErrorKind::CannotCreate, kCannotCreateText);

    std::string failure;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        failure = std::strerror(errno);
    if (failure.empty() && std::fflush(file) != 0) failure = std::strerror(errno);
    if (failure.empty()) failure = SyncFile(file);
    if (std::fclose(file) != 0 && failure.empty()) failure = std::strerror(errno);
    // The new file keeps the permissions of the one it replaces.
    if (failure.empty()) {
        const auto previous = std::filesystem::status(target, ec);
        if (!ec && std::filesystem::exists(previous))
            std::filesystem::permissions(temporary, previous.permissions(), ec);
        failure = RenameOver(temporary, target);
    }
    if (failure.empty()) return {};

    std::filesystem::remove(temporary, ec);
    return FileStatus::Error(FileErrorKind::Io, "Ошибка записи в файл " + path + ": " + failure);
}

} // namespace qv
