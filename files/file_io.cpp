#include "files/file_io.h"

#include <fstream>
#include <random>

namespace qv {

std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    return PathToUtf8(PathFromUtf8(directory) / PathFromUtf8(name));
}

bool IsTemporaryFileName(std::string_view name) {
    constexpr std::string_view Start = ".qv", End = ".tmp";
    constexpr std::size_t Letters = 10;
    if (name.size() != Start.size() + Letters + End.size() || !name.starts_with(Start) ||
        !name.ends_with(End))
        return false;
    for (const char c : name.substr(Start.size(), Letters))
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

bool DirectoryWritable(const std::string& directory) {
    std::error_code ec;
    if (!std::filesystem::is_directory(PathFromUtf8(directory), ec)) return false;
    const std::filesystem::path probe =
        PathFromUtf8(directory) / (".quintovar-probe-" + std::to_string(std::random_device{}()));
    bool writable = false;
    {
        std::ofstream out(probe, std::ios::binary);
        writable = static_cast<bool>(out);
    }
    std::filesystem::remove(probe, ec);
    return writable;
}

} // namespace qv
