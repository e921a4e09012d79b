// The safe file functions of file_io.h on Windows.
#include "files/file_io.h"
#include "files/file_messages.h"
#include "files/held_file_win32.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace qv {
namespace {

// The errno value of the common failures, whose texts the program has in Russian; 0 for others.
int CommonErrno(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    default:
        return 0;
    }
}

// The common failures as ErrnoText says them, any other in the system's words.
std::string ErrorText(DWORD error) {
    if (const int common = CommonErrno(error)) return ErrnoText(common);
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

// A handle that is closed when it goes out of scope.
class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    void Reset(HANDLE handle) {
        Close();
        handle_ = handle;
    }
    // Closes now; false when closing failed.
    bool Close() {
        const bool ok = !valid() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE handle_;
};

// Opens a path for looking at it only: no reading or writing, directories included.
HANDLE OpenToLookAt(const std::filesystem::path& path) {
    return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// What an open handle is when it is not a regular file on a disk.
std::optional<NodeKind> NotARegularFile(HANDLE handle) {
    switch (GetFileType(handle)) {
    case FILE_TYPE_DISK:
        break;
    case FILE_TYPE_CHAR:
        return NodeKind::Device;
    case FILE_TYPE_PIPE:
        return NodeKind::Fifo;
    default:
        return NodeKind::Other;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) return NodeKind::Other;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return NodeKind::Directory;
    return std::nullopt;
}

bool WriteAll(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool SetLength(HANDLE handle, std::size_t length) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(length);
    return SetFilePointerEx(handle, position, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
}

// The file that a write to `path` goes to.
struct Target {
    std::filesystem::path path; // the link's file for a symbolic link
    bool exists = false;
};

FileStatus FindTarget(const std::filesystem::path& path, const std::string& shown, Target& target) {
    target.path = path;
    const Handle handle(OpenToLookAt(path));
    const DWORD attributes = GetFileAttributesW(path.c_str()); // of the link itself
    const bool link =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (!handle.valid()) {
        const DWORD error = GetLastError();
        if (link) return Refused(DanglingLinkText(shown));
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
        return CannotCreate(ErrorText(error)); // a locked file, no right to look, …
    }
    if (const auto kind = NotARegularFile(handle.get()))
        return Refused(CannotWriteNodeText(shown, *kind));
    if (link) {
        std::wstring resolved(MAX_PATH, L'\0');
        DWORD length = 0;
        for (;;) {
            length = GetFinalPathNameByHandleW(handle.get(), resolved.data(),
                                               static_cast<DWORD>(resolved.size()),
                                               FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
            if (length == 0) return CannotCreate(ErrorText(GetLastError()));
            if (length < resolved.size()) break;
            resolved.resize(length + 1);
        }
        resolved.resize(length);
        target.path = resolved;
    }
    target.exists = true;
    return {};
}

// A short name that cannot push a long target name past the system's limit, unlikely to be
// used by anyone else; created exclusively, so that a taken name is simply tried again.
std::wstring TemporaryName() {
    static std::atomic<unsigned> counter{0};
    static const wchar_t Letters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uint64_t bits = (std::uint64_t{random()} << 32) ^ random() ^ GetTickCount64() ^
                         (std::uint64_t{GetCurrentProcessId()} << 20) ^ counter.fetch_add(1);
    std::wstring name = L".qv";
    for (int i = 0; i < 10; ++i, bits /= 36) name += Letters[bits % 36];
    return name + L".tmp";
}

// Rewrites the file in place, for a folder the writer may not create files in.
FileStatus WriteInPlace(const std::filesystem::path& target, const std::string& shown,
                        std::string_view bytes) {
    // No other writer while this one works.
    Handle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return CannotCreate(ErrorText(GetLastError()));
    if (const auto kind = NotARegularFile(file.get()))
        return Refused(CannotWriteNodeText(shown, *kind));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return CannotCreate(ErrorText(GetLastError()));
    // Reserve the space first: without it a full disk would stop the write half-way.
    if (static_cast<LONGLONG>(bytes.size()) > size.QuadPart && !SetLength(file.get(), bytes.size()))
        return FileStatus::Error(FileErrorKind::Io,
                                 WriteFailedText(shown, ErrorText(GetLastError())));
    LARGE_INTEGER start{};
    bool ok = SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) &&
              WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) &&
              SetLength(file.get(), bytes.size()) && FlushFileBuffers(file.get());
    const DWORD error = GetLastError();
    ok = file.Close() && ok;
    if (!ok) return FileStatus::Error(FileErrorKind::Io, WriteFailedText(shown, ErrorText(error)));
    return {};
}

// Runs `step` until it succeeds; 0, or the system's error when it fails. A file held open for a
// moment (by another save, a virus scanner, an indexer) is waited for, a second at most.
template <typename Step> DWORD WhileBusy(Step step) {
    DWORD error = 0;
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (attempt > 0) Sleep(50);
        if (step()) return 0;
        error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
            error != ERROR_ACCESS_DENIED)
            break;
    }
    return error;
}

// Moves the finished temporary file over the target; 0 or the system's error. ReplaceFileW keeps
// the replaced file's attributes, security and creation time; when it cannot, the temporary
// file still has its own name and a plain rename is tried.
DWORD PutInPlace(const std::filesystem::path& temporary, const Target& target) {
    return WhileBusy([&] {
        return (target.exists &&
                ReplaceFileW(target.path.c_str(), temporary.c_str(), nullptr,
                             REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                             nullptr, nullptr)) ||
               MoveFileExW(temporary.c_str(), target.path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    });
}

// The modification time `modified` as Windows keeps it.
FILETIME FileTime(std::filesystem::file_time_type modified) {
    const auto since = std::chrono::file_clock::to_sys(modified).time_since_epoch();
    // 100-nanosecond steps since 1601.
    const auto steps = static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(since).count() / 100 +
        116444736000000000LL);
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(steps & 0xFFFFFFFFu);
    time.dwHighDateTime = static_cast<DWORD>(steps >> 32);
    return time;
}

} // namespace

HANDLE CreateTemporary(const std::filesystem::path& folder, DWORD access, DWORD share,
                       std::filesystem::path& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = (folder.empty() ? std::filesystem::path(L".") : folder) / TemporaryName();
        // CREATE_NEW never opens an existing name, a planted link included.
        const HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE ||
            (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

DWORD RenameOpenFile(HANDLE file, const std::filesystem::path& to) {
    const std::wstring name = to.wstring();
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + (name.size() + 1) * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::copy(name.begin(), name.end(), info->FileName);
    info->FileName[name.size()] = L'\0';
    if (SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size())))
        return 0;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error;
}

void DeleteOnClose(HANDLE file) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    (void)SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

FileStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    Handle file(CreateFileW(PathFromUtf8(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN,
                            nullptr));
    if (!file.valid())
        return FileStatus::Error(FileErrorKind::Io,
                                 OpenFailedText(path, ErrorText(GetLastError())));
    if (const auto kind = NotARegularFile(file.get()))
        return Refused(CannotReadNodeText(path, *kind));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        return FileStatus::Error(FileErrorKind::Io,
                                 ReadFailedText(path, ErrorText(GetLastError())));
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return Refused(TooLargeText(path, maxBytes));
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            const DWORD error = GetLastError();
            bytes.clear();
            return FileStatus::Error(FileErrorKind::Io, ReadFailedText(path, ErrorText(error)));
        }
        if (got == 0) break;
        // A file that grows while it is read is held to the same bound.
        if (bytes.size() + got > maxBytes) {
            bytes.clear();
            return Refused(TooLargeText(path, maxBytes));
        }
        bytes.append(buffer, got);
    }
    return {};
}

FileStatus WriteFileAtomically(const std::string& path, std::string_view bytes) {
    Target target;
    if (FileStatus found = FindTarget(PathFromUtf8(path), path, target); !found.ok()) return found;
    if (!target.path.has_filename()) return CannotCreate(ErrnoText(EISDIR));
    // A read-only or locked file is not replaced either. (Another save may have the file gone
    // for a moment: then there is nothing to refuse.)
    const DWORD attributes = GetFileAttributesW(target.path.c_str());
    if (target.exists && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY))
        return CannotCreate(ErrorText(ERROR_ACCESS_DENIED));
    if (target.exists)
        if (const DWORD busy = WhileBusy([&] {
                return Handle(CreateFileW(target.path.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
                           .valid() ||
                       GetLastError() == ERROR_FILE_NOT_FOUND;
            }))
            return CannotCreate(ErrorText(busy));

    std::filesystem::path temporary;
    Handle file(CreateTemporary(target.path.parent_path(), GENERIC_WRITE, 0, temporary));
    const DWORD createError = GetLastError();
    if (!file.valid()) {
        if (target.exists && createError == ERROR_ACCESS_DENIED)
            return WriteInPlace(target.path, path, bytes);
        return CannotCreate(ErrorText(createError));
    }
    DWORD error = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) ? 0 : GetLastError();
    if (!file.Close() && error == 0) error = GetLastError();
    if (error == 0) error = PutInPlace(temporary, target);
    if (error != 0) {
        DeleteFileW(temporary.c_str());
        return FileStatus::Error(FileErrorKind::Io, WriteFailedText(path, ErrorText(error)));
    }
    return {};
}

FileStatus CreateFileExclusively(const std::string& path, std::string_view bytes,
                                 std::filesystem::file_time_type modified, bool& taken) {
    taken = false;
    const std::filesystem::path target = PathFromUtf8(path);
    std::filesystem::path temporary;
    Handle file(CreateTemporary(target.parent_path(), GENERIC_WRITE | DELETE, 0, temporary));
    if (!file.valid() || !target.has_filename()) return CannotCreate();
    const FILETIME time = FileTime(modified);
    DWORD error = WriteAll(file.get(), bytes) && SetFileTime(file.get(), nullptr, nullptr, &time) &&
                          FlushFileBuffers(file.get())
                      ? 0
                      : GetLastError();
    // Renamed while it is held: it is never seen under either name unheld.
    if (error == 0) error = RenameOpenFile(file.get(), target);
    if (error != 0) DeleteOnClose(file.get());
    file.Close();
    taken = error == ERROR_ALREADY_EXISTS;
    if (taken) return CannotCreate();
    if (error != 0)
        return FileStatus::Error(FileErrorKind::Io, WriteFailedText(path, ErrorText(error)));
    return {};
}

FileStatus RefuseSameFile(const std::string& input, const std::string& output) {
    const Handle in(OpenToLookAt(PathFromUtf8(input)));
    const Handle out(OpenToLookAt(PathFromUtf8(output)));
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    if (!in.valid() || !out.valid() || !GetFileInformationByHandle(in.get(), &a) ||
        !GetFileInformationByHandle(out.get(), &b))
        return {};
    if (a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
        a.nFileIndexLow == b.nFileIndexLow)
        return Refused(SameAsInputText(output, input));
    return {};
}

} // namespace qv
