#include "files/replace_file.h"

#include <io.h>
#include <windows.h>

#include <string>

namespace qv {
namespace {

std::string LastErrorText() {
    const DWORD error = GetLastError();
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (length) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), nullptr,
                                             0, nullptr, nullptr);
        text.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), text.data(), size,
                            nullptr, nullptr);
    } else {
        text = "error " + std::to_string(error);
    }
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

} // namespace

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    wchar_t wideMode[8] = {};
    for (int i = 0; i < 7 && mode[i]; ++i) wideMode[i] = static_cast<wchar_t>(mode[i]);
    return _wfopen(path.c_str(), wideMode);
}

std::string SyncFile(std::FILE* file) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (!FlushFileBuffers(handle)) return LastErrorText();
    return {};
}

std::string RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return LastErrorText();
    return {};
}

} // namespace qv
