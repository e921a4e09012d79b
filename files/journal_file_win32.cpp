// The journal file on Windows: held by opening it without sharing write or delete access, which
// the system drops when the process ends however it ends. It is created held under a temporary
// name and renamed through its handle.
#include "files/file_io.h"
#include "files/file_messages.h"
#include "files/held_file_win32.h"
#include "files/journal_file.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace qv {

struct JournalFile::Handle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

namespace {

std::string ErrorNumberText(DWORD error) {
    return "ошибка " + std::to_string(error);
}

bool SetLength(HANDLE handle, std::size_t length) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(length);
    return SetFilePointerEx(handle, at, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
}

} // namespace

JournalFile::JournalFile(std::string path, std::unique_ptr<Handle> handle)
    : path_(std::move(path)), handle_(std::move(handle)) {}

JournalFile::~JournalFile() = default;

std::unique_ptr<JournalFile> JournalFile::CreateHidden(const std::string& folder,
                                                       FileStatus& status) {
    auto handle = std::make_unique<Handle>();
    std::filesystem::path path;
    handle->handle = CreateTemporary(PathFromUtf8(folder), GENERIC_READ | GENERIC_WRITE | DELETE,
                                     FILE_SHARE_READ, path);
    if (handle->handle == INVALID_HANDLE_VALUE) {
        status = CannotCreate();
        return nullptr;
    }
    status = {};
    return std::unique_ptr<JournalFile>(new JournalFile(PathToUtf8(path), std::move(handle)));
}

std::unique_ptr<JournalFile> JournalFile::TakeOver(const std::string& path) {
    // What the name is, before it is opened: a folder, a link or a device is left alone.
    const DWORD attributes = GetFileAttributesW(PathFromUtf8(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes &
         (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)))
        return nullptr;
    auto handle = std::make_unique<Handle>();
    // Refused with a sharing violation while the writing process has the file open.
    handle->handle =
        CreateFileW(PathFromUtf8(path).c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    if (handle->handle == INVALID_HANDLE_VALUE || GetFileType(handle->handle) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(handle->handle, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return nullptr;
    auto journal = std::unique_ptr<JournalFile>(new JournalFile(path, std::move(handle)));
    journal->length_ = (static_cast<std::size_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return journal;
}

FileStatus JournalFile::Append(std::string_view bytes) {
    const HANDLE handle = handle_->handle;
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(length_);
    bool ok = SetFilePointerEx(handle, at, nullptr, FILE_BEGIN);
    std::string_view rest = bytes;
    while (ok && !rest.empty()) {
        DWORD written = 0;
        ok = WriteFile(handle, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr) &&
             written > 0;
        rest.remove_prefix(std::min<std::size_t>(written, rest.size()));
    }
    ok = ok && FlushFileBuffers(handle);
    if (!ok) {
        const DWORD error = GetLastError();
        (void)SetLength(handle, length_);
        return FileStatus::Error(FileErrorKind::Io, WriteFailedText(path_, ErrorNumberText(error)));
    }
    length_ += bytes.size();
    return {};
}

FileStatus JournalFile::ReadAll(std::string& bytes, std::size_t maxBytes) {
    bytes.assign(std::min(length_, maxBytes), '\0');
    LARGE_INTEGER start{};
    std::size_t done = 0;
    bool ok = SetFilePointerEx(handle_->handle, start, nullptr, FILE_BEGIN);
    while (ok && done < bytes.size()) {
        DWORD got = 0;
        ok = ReadFile(handle_->handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                      &got, nullptr);
        if (ok && got == 0) break;
        done += got;
    }
    bytes.resize(done);
    if (!ok)
        return FileStatus::Error(FileErrorKind::Io,
                                 ReadFailedText(path_, ErrorNumberText(GetLastError())));
    return {};
}

FileStatus JournalFile::MoveTo(const std::string& path, bool& taken) {
    const DWORD error = RenameOpenFile(handle_->handle, PathFromUtf8(path));
    taken = error == ERROR_ALREADY_EXISTS;
    if (error != 0)
        return FileStatus::Error(FileErrorKind::Io, WriteFailedText(path, ErrorNumberText(error)));
    path_ = path;
    (void)FlushFileBuffers(handle_->handle);
    return {};
}

bool JournalFile::StillNamed() const {
    return true; // a file open without shared delete access cannot be removed, nor its folder
}

void JournalFile::Remove() {
    DeleteOnClose(handle_->handle);
    handle_.reset(new Handle);
}

} // namespace qv
