#include "cli/program_folder.h"

#include "files/file_io.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace qv::cli {

std::string ProgramFolder() {
#ifdef _WIN32
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    if (length == 0 || length >= MAX_PATH * 4) return {};
    return PathToUtf8(std::filesystem::path(std::wstring(path, length)).parent_path());
#else
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    return PathToUtf8(
        std::filesystem::path(std::string(path, static_cast<std::size_t>(length))).parent_path());
#endif
}

} // namespace qv::cli
