// The journal file on POSIX systems: held with an exclusive flock, which the system drops when
// the process ends however it ends.
#include "files/file_io.h"
#include "files/file_messages.h"
#include "files/journal_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

struct JournalFile::Handle {
    int fd = -1;
    ~Handle() {
        if (fd >= 0) ::close(fd);
    }
};

namespace {

void SyncFolderOf(const std::string& path) {
    const std::filesystem::path folder = PathFromUtf8(path).parent_path();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd); // not every file system can; the journal's records are synced anyway
    ::close(fd);
}

int Sync(int fd) {
#ifdef __linux__
    return ::fdatasync(fd) == 0 ? 0 : errno;
#else
    return ::fsync(fd) == 0 ? 0 : errno;
#endif
}

} // namespace

JournalFile::JournalFile(std::string path, std::unique_ptr<Handle> handle)
    : path_(std::move(path)), handle_(std::move(handle)) {}

JournalFile::~JournalFile() = default;

std::unique_ptr<JournalFile> JournalFile::Create(const std::string& path, FileStatus& status) {
    auto handle = std::make_unique<Handle>();
    handle->fd = ::open(PathFromUtf8(path).c_str(),
                        O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (handle->fd < 0 || ::flock(handle->fd, LOCK_EX | LOCK_NB) != 0) {
        if (handle->fd >= 0) ::unlink(PathFromUtf8(path).c_str());
        status = CannotCreate();
        return nullptr;
    }
    SyncFolderOf(path);
    status = {};
    return std::unique_ptr<JournalFile>(new JournalFile(path, std::move(handle)));
}

std::unique_ptr<JournalFile> JournalFile::TakeOver(const std::string& path) {
    auto handle = std::make_unique<Handle>();
    handle->fd = ::open(PathFromUtf8(path).c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    struct stat status {};
    if (handle->fd < 0 || ::fstat(handle->fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        ::flock(handle->fd, LOCK_EX | LOCK_NB) != 0)
        return nullptr;
    auto journal = std::unique_ptr<JournalFile>(new JournalFile(path, std::move(handle)));
    journal->length_ = static_cast<std::size_t>(status.st_size);
    return journal;
}

FileStatus JournalFile::Append(std::string_view bytes) {
    const int fd = handle_->fd;
    std::string_view rest = bytes;
    int error = 0;
    while (!rest.empty() && error == 0) {
        const ssize_t written = ::pwrite(fd, rest.data(), rest.size(),
                                         static_cast<off_t>(length_ + bytes.size() - rest.size()));
        if (written < 0 && errno != EINTR) error = errno;
        if (written > 0) rest.remove_prefix(static_cast<std::size_t>(written));
    }
    if (error == 0) error = Sync(fd);
    if (error != 0) {
        (void)::ftruncate(fd, static_cast<off_t>(length_));
        return FileStatus::Error(FileErrorKind::Io, WriteFailedText(path_, std::strerror(error)));
    }
    length_ += bytes.size();
    return {};
}

FileStatus JournalFile::ReadAll(std::string& bytes, std::size_t maxBytes) {
    bytes.assign(std::min(length_, maxBytes), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(handle_->fd, bytes.data() + done, bytes.size() - done,
                                    static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0)
            return FileStatus::Error(FileErrorKind::Io,
                                     ReadFailedText(path_, std::strerror(errno)));
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return {};
}

void JournalFile::Remove() {
    ::unlink(PathFromUtf8(path_).c_str());
    SyncFolderOf(path_);
    handle_.reset(new Handle);
}

} // namespace qv
