#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace qv {
namespace {

// The README describes this program only, and every command of the companion.
TEST(Readme, DescribesThisProgramAndEveryCommand) {
    std::ifstream in(QV_SOURCE_DIR "/README.md");
    std::ostringstream text;
    text << in.rdbuf();
    std::string readme = text.str();
    std::replace(readme.begin(), readme.end(), '\n', ' ');
    EXPECT_NE(readme.find("in this program's own file format"), std::string::npos);
    EXPECT_EQ(readme.find("original"), std::string::npos);
    for (const char* command : {"csv", "export", "panel", "resave", "simulate", "plot", "receive"})
        EXPECT_NE(readme.find(std::string("quintovar-cli ") + command + " "), std::string::npos)
            << command;
}

} // namespace
} // namespace qv
