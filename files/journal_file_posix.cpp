// The journal file on POSIX systems: held with an exclusive flock, which the system drops when
// the process ends however it ends. It is created held under a temporary name and linked to its
// own name only then.
#include "files/file_io.h"
#include "files/file_messages.h"
#include "files/held_file_posix.h"
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

// Opens `path` for reading when it is a regular file, checked before it is opened (a device or
// a FIFO is never opened) and again on the open file (it may have been replaced meanwhile).
int OpenRegularFile(const std::string& path) {
    const std::filesystem::path file = PathFromUtf8(path);
    struct stat named {
    }, opened{};
    if (::lstat(file.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) return -1;
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0 && (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) ||
                    opened.st_ino != named.st_ino || opened.st_dev != named.st_dev)) {
        ::close(fd);
        return -1;
    }
    return fd;
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

std::unique_ptr<JournalFile> JournalFile::CreateHidden(const std::string& folder,
                                                       FileStatus& status) {
    auto handle = std::make_unique<Handle>();
    const int folderFd = ::open(PathFromUtf8(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::string name;
    if (folderFd >= 0) handle->fd = CreateHeldTemporary(folderFd, name, O_RDWR, 0666);
    if (folderFd >= 0) ::close(folderFd);
    if (handle->fd < 0) {
        status = CannotCreate();
        return nullptr;
    }
    status = {};
    return std::unique_ptr<JournalFile>(new JournalFile(JoinPath(folder, name), std::move(handle)));
}

std::unique_ptr<JournalFile> JournalFile::TakeOver(const std::string& path) {
    auto handle = std::make_unique<Handle>();
    handle->fd = OpenRegularFile(path);
    struct stat status {};
    // Its writer may have removed it between the open and the hold.
    if (handle->fd < 0 || ::flock(handle->fd, LOCK_EX | LOCK_NB) != 0 ||
        ::fstat(handle->fd, &status) != 0 || status.st_nlink == 0)
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

FileStatus JournalFile::MoveTo(const std::string& path, bool& taken) {
    const int error = MoveWithoutReplacing(AT_FDCWD, PathFromUtf8(path_).c_str(), AT_FDCWD,
                                           PathFromUtf8(path).c_str());
    taken = error == EEXIST;
    if (error != 0)
        return FileStatus::Error(FileErrorKind::Io, WriteFailedText(path, ErrnoText(error)));
    path_ = path;
    SyncFolderOf(path_);
    return {};
}

bool JournalFile::StillNamed() const {
    struct stat status {};
    return ::fstat(handle_->fd, &status) == 0 && status.st_nlink > 0;
}

void JournalFile::Remove() {
    ::unlink(PathFromUtf8(path_).c_str());
    SyncFolderOf(path_);
    handle_.reset(new Handle);
}

} // namespace qv
