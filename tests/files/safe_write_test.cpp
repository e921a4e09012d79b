// The safe writer and reader of file_io.h: every kind of target, concurrent writers, a write
// that fails half-way and a full disk.
#include "files/file_io.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNew = "new contents\r\n";

// No temporary file of the writer is left anywhere below `folder`.
void ExpectNoTemporaryFiles(const fs::path& folder) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        EXPECT_NE(entry.path().filename().string().rfind(".qv", 0), 0u) << entry.path();
    }
}

#ifndef _WIN32
constexpr uid_t kNobody = 65534;

// Gives a file to an ordinary user when the test runs as root.
void GiveAway(const fs::path& path) {
    if (::geteuid() == 0) {
        ASSERT_EQ(::lchown(path.c_str(), kNobody, kNobody), 0) << path;
    }
}

// Runs `write` as an ordinary user, for whom permissions count: as root (who may write
// anywhere) in a child process that becomes nobody. The kind of the result comes back.
int AsOrdinaryUser(const std::function<FileErrorKind()>& write) {
    if (::geteuid() != 0) return static_cast<int>(write());
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(100);
        ::_exit(static_cast<int>(write()));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}
#endif

// What lies at a target before a write, the result the write must have and what must hold
// afterwards (beyond what every case checks).
struct TargetCase {
    const char* name;
    std::function<std::string(const test::TempDir&)> make; // the path to write; "" skips
    FileErrorKind expected;
    std::function<void(const test::TempDir&)> check = [](const test::TempDir&) {};
    bool ordinaryUser = false;
};

std::string Make(const test::TempDir& dir, const char* name, const char* bytes) {
    test::WriteBytes(dir.File(name), bytes);
    return dir.File(name);
}

std::vector<TargetCase> TargetCases() {
    std::vector<TargetCase> cases = {
        {"absent", [](const test::TempDir& dir) { return dir.File("new.csv"); },
         FileErrorKind::None},
        {"regular", [](const test::TempDir& dir) { return Make(dir, "old.csv", "old"); },
         FileErrorKind::None},
        {"in a missing folder", [](const test::TempDir& dir) { return dir.File("none/x.csv"); },
         FileErrorKind::CannotCreate},
        {"directory",
         [](const test::TempDir& dir) {
             fs::create_directory(dir.File("folder.csv"));
             return dir.File("folder.csv");
         },
         FileErrorKind::Refused,
         [](const test::TempDir& dir) { EXPECT_TRUE(fs::is_empty(dir.File("folder.csv"))); }},
        {"the input itself", [](const test::TempDir& dir) { return dir.File("input.kvr"); },
         FileErrorKind::Refused},
        // A hard link is a name of the same file: replacing it gives that name a file of its
        // own, and the other names keep what they held.
        {"hard link",
         [](const test::TempDir& dir) {
             Make(dir, "first.csv", "old");
             fs::create_hard_link(dir.File("first.csv"), dir.File("second.csv"));
             return dir.File("second.csv");
         },
         FileErrorKind::None,
         [](const test::TempDir& dir) {
             EXPECT_EQ(test::ReadBytes(dir.File("first.csv")), "old");
         }},
        {"hard link to the input",
         [](const test::TempDir& dir) {
             fs::create_hard_link(dir.File("input.kvr"), dir.File("same.kvr"));
             return dir.File("same.kvr");
         },
         FileErrorKind::Refused},
    };
#ifndef _WIN32 // symbolic links, special files, permissions and owners
    const std::vector<TargetCase> posix = {
        // The longest name a folder can hold (Windows limits the whole path instead).
        {"a name of 255 bytes",
         [](const test::TempDir& dir) {
             return Make(dir, (std::string(251, 'n') + ".kvr").c_str(), "old");
         },
         FileErrorKind::None},
        {"regular, its permissions kept",
         [](const test::TempDir& dir) {
             Make(dir, "private.kvr", "old");
             fs::permissions(dir.File("private.kvr"), fs::perms(0640));
             return dir.File("private.kvr");
         },
         FileErrorKind::None,
         [](const test::TempDir& dir) {
             EXPECT_EQ(fs::status(dir.File("private.kvr")).permissions(), fs::perms(0640));
         }},
        {"absent, a new file's permissions",
         [](const test::TempDir& dir) { return dir.File("fresh.kvr"); }, FileErrorKind::None,
         [](const test::TempDir& dir) {
             EXPECT_EQ(fs::status(dir.File("fresh.kvr")).permissions(),
                       fs::perms(0666 & ~CurrentUmask()));
         }},
        {"another user's file keeps its owner",
         [](const test::TempDir& dir) {
             Make(dir, "theirs.kvr", "old");
             GiveAway(dir.File("theirs.kvr"));
             return dir.File("theirs.kvr");
         },
         FileErrorKind::None,
         [](const test::TempDir& dir) {
             struct stat status {};
             ASSERT_EQ(::stat(dir.File("theirs.kvr").c_str(), &status), 0);
             EXPECT_EQ(status.st_uid, ::geteuid() == 0 ? kNobody : ::geteuid());
         }},
        {"symbolic link",
         [](const test::TempDir& dir) {
             Make(dir, "real.csv", "old");
             fs::create_symlink("real.csv", dir.File("link.csv"));
             return dir.File("link.csv");
         },
         FileErrorKind::None,
         [](const test::TempDir& dir) {
             EXPECT_TRUE(fs::is_symlink(dir.File("link.csv")));
             EXPECT_EQ(test::ReadBytes(dir.File("real.csv")), kNew);
         }},
        {"dangling link",
         [](const test::TempDir& dir) {
             fs::create_symlink(dir.File("nowhere.csv"), dir.File("dangling.csv"));
             return dir.File("dangling.csv");
         },
         FileErrorKind::Refused,
         [](const test::TempDir& dir) { EXPECT_FALSE(fs::exists(dir.File("nowhere.csv"))); }},
        {"loop of links",
         [](const test::TempDir& dir) {
             fs::create_symlink("b.csv", dir.File("a.csv"));
             fs::create_symlink("a.csv", dir.File("b.csv"));
             return dir.File("a.csv");
         },
         FileErrorKind::Refused},
        {"link to the input",
         [](const test::TempDir& dir) {
             fs::create_symlink(dir.File("input.kvr"), dir.File("alias.kvr"));
             return dir.File("alias.kvr");
         },
         FileErrorKind::Refused},
        {"FIFO",
         [](const test::TempDir& dir) {
             EXPECT_EQ(::mkfifo(dir.File("fifo.csv").c_str(), 0666), 0);
             return dir.File("fifo.csv");
         },
         FileErrorKind::Refused},
        // /dev/stdout when the output is a pipe.
        {"link to a FIFO",
         [](const test::TempDir& dir) {
             EXPECT_EQ(::mkfifo(dir.File("pipe").c_str(), 0666), 0);
             fs::create_symlink(dir.File("pipe"), dir.File("stdout.csv"));
             return dir.File("stdout.csv");
         },
         FileErrorKind::Refused,
         [](const test::TempDir& dir) { EXPECT_TRUE(fs::is_fifo(dir.File("pipe"))); }},
        {"socket",
         [](const test::TempDir& dir) {
             const std::string path = dir.File("socket.csv");
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
             const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
             EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
             ::close(fd);
             return path;
         },
         FileErrorKind::Refused},
        // A device node of its own in the test's folder (the null device's numbers); only root
        // may make one.
        {"device",
         [](const test::TempDir& dir) {
             const std::string path = dir.File("device.csv");
             return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 ? path : "";
         },
         FileErrorKind::Refused},
        {"read-only file",
         [](const test::TempDir& dir) {
             Make(dir, "readonly.kvr", "old");
             fs::permissions(dir.File("readonly.kvr"), fs::perms(0444));
             GiveAway(dir.File("readonly.kvr"));
             return dir.File("readonly.kvr");
         },
         FileErrorKind::CannotCreate, [](const test::TempDir&) {}, true},
        // The settings-file case: the file is rewritten in place, so the same file (seen here
        // through a second name) holds the new bytes.
        {"writable file in a read-only folder",
         [](const test::TempDir& dir) {
             fs::create_directory(dir.File("locked"));
             Make(dir, "locked/settings.ini", "old contents, longer than the new ones\r\n");
             fs::permissions(dir.File("locked/settings.ini"), fs::perms(0666));
             fs::create_hard_link(dir.File("locked/settings.ini"), dir.File("seen.ini"));
             GiveAway(dir.File("locked/settings.ini"));
             GiveAway(dir.File("locked"));
             fs::permissions(dir.File("locked"), fs::perms(0555));
             return dir.File("locked/settings.ini");
         },
         FileErrorKind::None,
         [](const test::TempDir& dir) { EXPECT_EQ(test::ReadBytes(dir.File("seen.ini")), kNew); },
         true},
        // A shared folder (sticky bit): another user's writable file may be written, not
        // replaced, and is written in place.
        {"another user's file in a shared folder",
         [](const test::TempDir& dir) {
             fs::create_directory(dir.File("shared"));
             fs::permissions(dir.File("shared"), fs::perms(01777));
             Make(dir, "shared/common.txt", "old");
             fs::permissions(dir.File("shared/common.txt"), fs::perms(0666));
             fs::create_hard_link(dir.File("shared/common.txt"), dir.File("common.txt"));
             return dir.File("shared/common.txt");
         },
         FileErrorKind::None,
         [](const test::TempDir& dir) {
             if (::geteuid() == 0) {
                 EXPECT_EQ(test::ReadBytes(dir.File("common.txt")), kNew);
             }
         },
         true},
    };
    cases.insert(cases.end(), posix.begin(), posix.end());
#endif
    return cases;
}

TEST(SafeWrite, EveryKindOfTarget) {
    for (const TargetCase& target : TargetCases()) {
        SCOPED_TRACE(target.name);
        test::TempDir dir;
        const std::string input = Make(dir, "input.kvr", "input");
        const std::string path = target.make(dir);
        if (path.empty()) continue; // cannot be made by this user
        std::error_code ec;
        const fs::file_type before = fs::symlink_status(path, ec).type();
        const bool regular = fs::is_regular_file(path, ec);
        const std::string old = regular ? test::ReadBytes(path) : "";
        // As the companion writes an output: never over its input.
        const auto write = [&] {
            const FileStatus same = RefuseSameFile(input, path);
            return same.ok() ? WriteFileAtomically(path, kNew).kind : same.kind;
        };
#ifndef _WIN32
        const int kind = target.ordinaryUser ? AsOrdinaryUser(write) : static_cast<int>(write());
#else
        const int kind = static_cast<int>(write());
#endif
        EXPECT_EQ(kind, static_cast<int>(target.expected));
        if (target.expected == FileErrorKind::None) {
            EXPECT_EQ(test::ReadBytes(path), kNew);
        } else {
            // Refused before anything was written.
            EXPECT_EQ(fs::symlink_status(path, ec).type(), before);
            if (regular) {
                EXPECT_EQ(test::ReadBytes(path), old);
            }
        }
        EXPECT_EQ(test::ReadBytes(input), "input");
        target.check(dir);
        ExpectNoTemporaryFiles(dir.path());
    }
}

TEST(SafeWrite, RefusalsSayWhatTheTargetIs) {
    test::TempDir dir;
    fs::create_directory(dir.File("folder"));
    FileStatus status = WriteFileAtomically(dir.File("folder"), kNew);
    EXPECT_EQ(status.message,
              "Нельзя записать в " + dir.File("folder") + ": это папка, а не обычный файл");
    test::WriteBytes(dir.File("in.kvr"), "x");
    status = RefuseSameFile(dir.File("in.kvr"), dir.File("in.kvr"));
    EXPECT_NE(status.message.find("это тот же файл"), std::string::npos) << status.message;
#ifndef _WIN32
    fs::create_symlink(dir.File("nowhere"), dir.File("dangling"));
    EXPECT_NE(WriteFileAtomically(dir.File("dangling"), kNew).message.find("несуществующий"),
              std::string::npos);
#endif
}

// Writers of different contents race for one file while a reader reads it: the reader and
// the end only ever see one whole input.
TEST(SafeWrite, ConcurrentWritersLeaveOneWholeInput) {
    test::TempDir dir;
    const std::string path = dir.File("shared.kvr");
    const std::vector<std::string> inputs = {std::string(100, 'a'), std::string(300000, 'b'),
                                             std::string(70000, 'c'), ""};
    ASSERT_TRUE(WriteFileAtomically(path, inputs[0]).ok());
    const auto isInput = [&](const std::string& bytes) {
        for (const std::string& input : inputs)
            if (bytes == input) return true;
        return false;
    };
    std::atomic<bool> writing{true};
    std::atomic<int> failures{0}, partial{0};
    std::thread reader([&] {
        std::string bytes;
        while (writing) {
            const bool read = ReadWholeFile(path, bytes, 1 << 20).ok();
#ifndef _WIN32 // Windows may refuse to open a file for a moment while it is replaced
            if (!read) ++failures;
#endif
            if (read && !isInput(bytes)) ++partial;
        }
    });
    std::mutex failed;
    std::string failure; // the last writer's failure, for the report
    std::vector<std::thread> writers;
    for (std::size_t w = 1; w < inputs.size(); ++w)
        writers.emplace_back([&, w] {
            for (int i = 0; i < 40; ++i) {
                const FileStatus status =
                    WriteFileAtomically(path, inputs[(w + i) % inputs.size()]);
                if (status.ok()) continue;
                ++failures;
                const std::lock_guard<std::mutex> lock(failed);
                failure = status.message;
            }
        });
    for (std::thread& writer : writers) writer.join();
    writing = false;
    reader.join();
    EXPECT_EQ(failures, 0) << failure;
    EXPECT_EQ(partial, 0);
    EXPECT_TRUE(isInput(test::ReadBytes(path)));
    ExpectNoTemporaryFiles(dir.path());
}

TEST(SafeRead, OnlyRegularFilesWithinTheBound) {
    test::TempDir dir;
    test::WriteBytes(dir.File("small"), std::string(1000, 's'));
    test::WriteBytes(dir.File("large"), std::string(1001, 'l'));
    fs::create_directory(dir.File("folder"));
    struct ReadCase {
        std::string path;
        FileErrorKind expected;
    };
    std::vector<ReadCase> cases = {{dir.File("small"), FileErrorKind::None},
                                   {dir.File("large"), FileErrorKind::Refused},
                                   {dir.File("folder"), FileErrorKind::Refused},
                                   {dir.File("missing"), FileErrorKind::Io}};
#ifndef _WIN32
    // A FIFO without a writer would block an open for reading for ever.
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0666), 0);
    fs::create_symlink("small", dir.File("link"));
    cases.push_back({dir.File("fifo"), FileErrorKind::Refused});
    cases.push_back({dir.File("link"), FileErrorKind::None});
    // An endless device, only read: it would fill the memory.
    if (fs::exists("/dev/zero")) cases.push_back({"/dev/zero", FileErrorKind::Refused});
#endif
    for (const ReadCase& read : cases) {
        std::string bytes = "stale";
        const FileStatus status = ReadWholeFile(read.path, bytes, 1000);
        EXPECT_EQ(status.kind, read.expected) << read.path << ": " << status.message;
        EXPECT_EQ(bytes, read.expected == FileErrorKind::None ? std::string(1000, 's') : "");
        if (read.expected != FileErrorKind::None) {
            EXPECT_NE(status.message.find(read.path), std::string::npos) << status.message;
        }
    }
    // The system's reason in the program's words, on every system.
    std::string bytes;
    EXPECT_NE(ReadWholeFile(dir.File("missing"), bytes, 1000)
                  .message.find(": нет такого файла или папки"),
              std::string::npos);
}

#ifndef _WIN32
// A size limit on this process makes every write past it fail as a full disk would, for any
// user: the old file stays, whole, and no temporary file is left.
TEST(SafeWrite, AWriteThatFailsHalfWayLeavesTheOldFile) {
    test::TempDir dir;
    const std::string replaced = Make(dir, "run.kvr", "old");
    fs::create_directory(dir.File("locked"));
    const std::string inPlace = Make(dir, "locked/settings.ini", "old");
    GiveAway(inPlace);
    GiveAway(dir.File("locked"));
    fs::permissions(dir.File("locked"), fs::perms(0555));
    const std::string big(200000, 'n');

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{16384, saved.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileStatus status = WriteFileAtomically(replaced, big);
    const int inPlaceKind = AsOrdinaryUser([&] { return WriteFileAtomically(inPlace, big).kind; });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(status.kind, FileErrorKind::Io);
    EXPECT_NE(status.message.find(std::strerror(EFBIG)), std::string::npos) << status.message;
    EXPECT_TRUE(test::ReadBytes(replaced) == "old");
    EXPECT_EQ(inPlaceKind, static_cast<int>(FileErrorKind::Io));
    EXPECT_TRUE(test::ReadBytes(inPlace) == "old");
    ExpectNoTemporaryFiles(dir.path());
}

// A real full disk: a small file system of its own, which only root may mount.
TEST(SafeWrite, AFullDiskLeavesTheOldFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    test::TempDir dir;
    const fs::path disk = dir.path() / "disk";
    fs::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0755") != 0)
        GTEST_SKIP() << "cannot mount a file system here: " << std::strerror(errno);
    struct Unmount {
        fs::path path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{disk};

    const std::string old(20000, 'o');
    const std::string replaced = (disk / "run.kvr").string();
    test::WriteBytes(replaced, old);
    fs::create_directory(disk / "locked");
    const std::string inPlace = (disk / "locked" / "settings.ini").string();
    test::WriteBytes(inPlace, old);
    GiveAway(inPlace);
    GiveAway(disk / "locked");
    fs::permissions(disk / "locked", fs::perms(0555));

    const std::string big(60000, 'n');
    const FileStatus status = WriteFileAtomically(replaced, big);
    EXPECT_EQ(status.kind, FileErrorKind::Io);
    EXPECT_NE(status.message.find(": на диске нет места"), std::string::npos) << status.message;
    EXPECT_TRUE(test::ReadBytes(replaced) == old);
    // In place, the space is reserved before anything is overwritten.
    EXPECT_EQ(AsOrdinaryUser([&] { return WriteFileAtomically(inPlace, big).kind; }),
              static_cast<int>(FileErrorKind::Io));
    EXPECT_TRUE(test::ReadBytes(inPlace) == old);
    ExpectNoTemporaryFiles(disk);
}
#endif

} // namespace
} // namespace qv
