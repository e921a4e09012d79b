#include "files/file_name.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(FileName, TextAfterTheLastSeparator) {
    EXPECT_EQ(FileNameText("C:\\data\\run1.kvr"), "run1.kvr");
    EXPECT_EQ(FileNameText("/home/u/data/run1.kvr"), "run1.kvr");
    EXPECT_EQ(FileNameText("C:\\data/mixed\\запись.kvr"), "запись.kvr");
    EXPECT_EQ(FileNameText("run1.kvr"), "run1.kvr");
    EXPECT_EQ(FileNameText("/data/"), "");
}

} // namespace
} // namespace qv
