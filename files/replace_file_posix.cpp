#include "files/replace_file.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace qv {

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::string SyncFile(std::FILE* file) {
    if (::fsync(::fileno(file)) != 0) return std::strerror(errno);
    return {};
}

std::string RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) return std::strerror(errno);
    return {};
}

} // namespace qv
