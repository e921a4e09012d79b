// The safe file functions of file_io.h on POSIX systems.
#include "files/file_io.h"
#include "files/file_messages.h"
#include "files/held_file_posix.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {
namespace {

NodeKind KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return NodeKind::Directory;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return NodeKind::Device;
    if (S_ISFIFO(mode)) return NodeKind::Fifo;
    if (S_ISSOCK(mode)) return NodeKind::Socket;
    return NodeKind::Other;
}

// A file descriptor that is closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now; the system's error number, or 0.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// Writes all bytes from the file's current offset; 0 or the system's error number.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int SyncFile(int fd) {
    return ::fsync(fd) == 0 ? 0 : errno;
}

// The file that a write to `path` goes to.
struct Target {
    std::filesystem::path path; // the link's file for a symbolic link
    bool exists = false;
    struct stat status {};
};

FileStatus FindTarget(const std::filesystem::path& path, const std::string& shown, Target& target) {
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) {
        if (errno != ENOENT)
            return CannotCreate(ErrnoText(errno)); // a folder that cannot be searched, …
        target.path = path;
        return {};
    }
    target.path = path;
    target.status = entry;
    // What a link leads to (/dev/stdout, say, to a pipe or a terminal) is what counts.
    const bool link = S_ISLNK(entry.st_mode);
    if (link && ::stat(path.c_str(), &target.status) != 0) {
        if (errno == ENOENT || errno == ELOOP) return Refused(DanglingLinkText(shown));
        return CannotCreate(ErrnoText(errno));
    }
    if (!S_ISREG(target.status.st_mode))
        return Refused(CannotWriteNodeText(shown, KindOf(target.status.st_mode)));
    if (link) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (!resolved) return CannotCreate(ErrnoText(errno));
        target.path = resolved;
        std::free(resolved);
    }
    target.exists = true;
    return {};
}

// A short name that cannot push a long target name past the system's limit, unlikely to be
// used by anyone else; created exclusively, so that a taken name is simply tried again.
std::string TemporaryName() {
    static std::atomic<unsigned> counter{0};
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uint64_t bits = (std::uint64_t{random()} << 32) ^ random() ^
                         (std::uint64_t(::getpid()) << 16) ^ counter.fetch_add(1);
    std::string name = ".qv";
    for (int i = 0; i < 10; ++i, bits /= 36) name += Letters[bits % 36];
    return name + ".tmp";
}

// Rewrites the file in place, for a folder the writer may not create files in.
FileStatus WriteInPlace(int folder, const std::string& name, const std::string& shown,
                        const struct stat& expected, std::string_view bytes) {
    Descriptor file(::openat(folder, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {};
    if (file.get() < 0 || ::fstat(file.get(), &opened) != 0) return CannotCreate(ErrnoText(errno));
    // Replaced meanwhile by something else: leave it alone.
    if (!S_ISREG(opened.st_mode) || opened.st_dev != expected.st_dev ||
        opened.st_ino != expected.st_ino)
        return Refused(CannotWriteNodeText(shown, KindOf(opened.st_mode)));
    ::flock(file.get(), LOCK_EX); // another program's in-place write waits for this one
    // A longer file gets its full length first, the space reserved where the file system can:
    // a full disk or a size limit then stops the write before anything is overwritten.
    const auto length = static_cast<off_t>(bytes.size());
    if (length > opened.st_size) {
        int grown = 0;
#ifdef __linux__
        grown = ::fallocate(file.get(), 0, 0, length) == 0 ? 0 : errno;
        if (grown == EOPNOTSUPP || grown == ENOSYS || grown == EINVAL) grown = 0;
#endif
        if (!grown && ::ftruncate(file.get(), length) != 0) grown = errno;
        if (grown) {
            (void)::ftruncate(file.get(), opened.st_size);
            return FileStatus::Error(FileErrorKind::Io, WriteFailedText(shown, ErrnoText(grown)));
        }
    }
    int error = WriteAll(file.get(), bytes);
    if (!error) error = SyncFile(file.get());
    if (!error && ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0) error = errno;
    if (!error) error = SyncFile(file.get());
    if (const int closeError = file.Close(); !error) error = closeError;
    if (error)
        return FileStatus::Error(FileErrorKind::Io, WriteFailedText(shown, ErrnoText(error)));
    return {};
}

// The replaced file's owner (where this process may set it) and permissions.
void KeepOwnerAndPermissions(int fd, const struct stat& previous) {
    struct stat now {};
    if (::fstat(fd, &now) != 0) return;
    if ((now.st_uid != previous.st_uid || now.st_gid != previous.st_gid) &&
        ::fchown(fd, previous.st_uid, previous.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), previous.st_gid);
    // After the owner: changing it may clear the set-id bits.
    (void)::fchmod(fd, previous.st_mode & 07777);
}

} // namespace

int CreateHeldTemporary(int folder, std::string& name, int access, mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = TemporaryName();
        const int fd = ::openat(folder, name.c_str(),
                                access | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return -1;
        // A file system without locks (ENOLCK, ENOTSUP) cannot hold it: it is used all the same.
        struct stat status {};
        const bool held = ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
        if (held && ::fstat(fd, &status) == 0 && status.st_nlink > 0) return fd;
        ::close(fd); // taken for a leftover meanwhile
    }
    errno = EEXIST;
    return -1;
}

int MoveWithoutReplacing(int fromFolder, const char* from, int toFolder, const char* to) {
    if (::linkat(fromFolder, from, toFolder, to, 0) == 0) {
        ::unlinkat(fromFolder, from, 0);
        return 0;
    }
    int error = errno;
#ifdef __linux__
    // File systems without hard links (FAT, exFAT) can still rename without replacing.
    if ((error == EPERM || error == EOPNOTSUPP || error == EMLINK) &&
        ::renameat2(fromFolder, from, toFolder, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (error == EPERM || error == EOPNOTSUPP || error == EMLINK) error = errno;
#endif
    return error;
}

FileStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    const std::filesystem::path file = PathFromUtf8(path);
    // What the path is, before opening it: opening a FIFO or a device may block or act.
    struct stat before {};
    if (::stat(file.c_str(), &before) != 0)
        return FileStatus::Error(FileErrorKind::Io, OpenFailedText(path, ErrnoText(errno)));
    if (!S_ISREG(before.st_mode)) return Refused(CannotReadNodeText(path, KindOf(before.st_mode)));
    if (static_cast<std::uintmax_t>(before.st_size) > maxBytes)
        return Refused(TooLargeText(path, maxBytes));
    // Non-blocking and checked again: the path may have been replaced since.
    Descriptor in(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    if (in.get() < 0 || ::fstat(in.get(), &opened) != 0)
        return FileStatus::Error(FileErrorKind::Io, OpenFailedText(path, ErrnoText(errno)));
    if (!S_ISREG(opened.st_mode)) return Refused(CannotReadNodeText(path, KindOf(opened.st_mode)));
    bytes.reserve(static_cast<std::size_t>(opened.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            bytes.clear();
            return FileStatus::Error(FileErrorKind::Io, ReadFailedText(path, ErrnoText(error)));
        }
        if (got == 0) break;
        // A file that grows while it is read is held to the same bound.
        if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
            bytes.clear();
            return Refused(TooLargeText(path, maxBytes));
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return {};
}

FileStatus WriteFileAtomically(const std::string& path, std::string_view bytes) {
    Target target;
    if (FileStatus found = FindTarget(PathFromUtf8(path), path, target); !found.ok()) return found;
    const std::filesystem::path folderPath =
        target.path.has_parent_path() ? target.path.parent_path() : std::filesystem::path(".");
    const std::string name = target.path.filename().string();
    Descriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0) return CannotCreate(ErrnoText(errno));
    if (name.empty()) return CannotCreate(ErrnoText(EISDIR));
    // A file that may not be written is not replaced either (as the Windows program refuses).
    if (target.exists && ::faccessat(folder.get(), name.c_str(), W_OK, AT_EACCESS) != 0)
        return CannotCreate(ErrnoText(errno));

    std::string temporary;
    // A new file gets the permissions any new file gets (the umask applies); a replacement
    // stays private until it has the replaced file's.
    const int fd =
        CreateHeldTemporary(folder.get(), temporary, O_WRONLY, target.exists ? 0600 : 0666);
    if (fd < 0) {
        if (target.exists && (errno == EACCES || errno == EPERM))
            return WriteInPlace(folder.get(), name, path, target.status, bytes);
        return CannotCreate(ErrnoText(errno));
    }
    Descriptor file(fd);
    int error = WriteAll(file.get(), bytes);
    if (!error) error = SyncFile(file.get());
    if (!error && target.exists) KeepOwnerAndPermissions(file.get(), target.status);
    // Held until it has its name: until then it could pass for a leftover.
    if (!error && ::renameat(folder.get(), temporary.c_str(), folder.get(), name.c_str()) != 0)
        error = errno;
    if (error) ::unlinkat(folder.get(), temporary.c_str(), 0);
    if (const int closeError = file.Close(); !error) error = closeError;
    // Another user's writable file in a shared folder (the sticky bit) may be written but not
    // replaced.
    if (error == EPERM && target.exists)
        return WriteInPlace(folder.get(), name, path, target.status, bytes);
    if (error) return FileStatus::Error(FileErrorKind::Io, WriteFailedText(path, ErrnoText(error)));
    (void)::fsync(folder.get()); // the rename itself reaches the disk (not every system can)
    return {};
}

FileStatus CreateFileExclusively(const std::string& path, std::string_view bytes,
                                 std::filesystem::file_time_type modified, bool& taken) {
    taken = false;
    const std::filesystem::path target = PathFromUtf8(path);
    const std::filesystem::path folderPath =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const std::string name = target.filename().string();
    Descriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::string temporary;
    Descriptor file(folder.get() < 0 || name.empty()
                        ? -1
                        : CreateHeldTemporary(folder.get(), temporary, O_WRONLY, 0666));
    if (file.get() < 0) return CannotCreate();
    const auto since = std::chrono::file_clock::to_sys(modified).time_since_epoch();
    const auto seconds = std::chrono::floor<std::chrono::seconds>(since);
    const struct timespec times[2] = {
        {0, UTIME_OMIT},
        {static_cast<time_t>(seconds.count()),
         static_cast<long>(std::chrono::nanoseconds(since - seconds).count())}};
    int error = WriteAll(file.get(), bytes);
    if (!error && ::futimens(file.get(), times) != 0) error = errno;
    if (!error) error = SyncFile(file.get());
    if (!error)
        error = MoveWithoutReplacing(folder.get(), temporary.c_str(), folder.get(), name.c_str());
    if (error) ::unlinkat(folder.get(), temporary.c_str(), 0);
    (void)file.Close();
    if (error == EEXIST) {
        taken = true;
        return CannotCreate();
    }
    if (error) return FileStatus::Error(FileErrorKind::Io, WriteFailedText(path, ErrnoText(error)));
    (void)::fsync(folder.get());
    return {};
}

FileStatus RefuseSameFile(const std::string& input, const std::string& output) {
    struct stat in {
    }, out{};
    if (::stat(PathFromUtf8(input).c_str(), &in) != 0 ||
        ::stat(PathFromUtf8(output).c_str(), &out) != 0)
        return {};
    if (in.st_dev == out.st_dev && in.st_ino == out.st_ino)
        return Refused(SameAsInputText(output, input));
    return {};
}

} // namespace qv
