#include "files/file_io.h"
#include "files/file_name.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {

TEST(FileName, TextAfterTheLastSeparator) {
    EXPECT_EQ(FileNameText("C:\\data\\run1.kvr"), "run1.kvr");
    EXPECT_EQ(FileNameText("/home/u/data/run1.kvr"), "run1.kvr");
    EXPECT_EQ(FileNameText("C:\\data/mixed\\запись.kvr"), "запись.kvr");
    EXPECT_EQ(FileNameText("run1.kvr"), "run1.kvr");
    EXPECT_EQ(FileNameText("/data/"), "");
    EXPECT_EQ(LoadedFromText("C:\\data\\run1.kvr"), "Данные из: run1.kvr");
    EXPECT_EQ(SavedToText("/data/run1.kvr"), "Данные в: run1.kvr");
}

TEST(AtomicWrite, ReplacesTheTargetKeepingItsPermissionsAndLinks) {
    test::TempDir dir;
    const std::string path = dir.File("target.txt");
    test::WriteBytes(path, "old");
    namespace fs = std::filesystem;
#ifndef _WIN32 // POSIX permission bits and symbolic links
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
    ASSERT_TRUE(WriteFileAtomically(path, "new").ok());
    EXPECT_EQ(test::ReadBytes(path), "new");
#ifndef _WIN32
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const std::string link = dir.File("link.txt");
    fs::create_symlink(path, link);
    ASSERT_TRUE(WriteFileAtomically(link, "through the link").ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::ReadBytes(path), "through the link");
#endif
    EXPECT_FALSE(fs::exists(TemporaryPathFor(path)));

    std::string bytes;
    EXPECT_EQ(ReadWholeFile(dir.path().string(), bytes).kind, FileErrorKind::Io);
}

} // namespace
} // namespace qv
