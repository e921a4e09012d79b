#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace qv {
namespace {

// The text with every run of white space made one space.
std::string Collapsed(const std::string& text) {
    std::istringstream words(text);
    std::string result, word;
    while (words >> word) result += (result.empty() ? "" : " ") + word;
    return result;
}

using Readme = test::CliTest;

// The README describes this program only, and the companion as its --help does: every command
// with the same usage, no other command, and no option that no command takes.
TEST_F(Readme, DescribesThisProgramAndTheCompanionAsItsHelpDoes) {
    const std::string readme = Read(QV_SOURCE_DIR "/README.md");
    const std::string flat = Collapsed(readme);
    EXPECT_NE(flat.find("in this program's own file format"), std::string::npos);
    EXPECT_EQ(flat.find("original"), std::string::npos);

    ASSERT_EQ(RunCli("--help"), 0);
    const auto usages = test::UsagesInHelp(Read(File("stdout.txt")));
    ASSERT_FALSE(usages.empty());
    std::string allUsages;
    for (const auto& [command, usage] : usages) {
        EXPECT_NE(flat.find("quintovar-cli " + Collapsed(usage)), std::string::npos) << usage;
        allUsages += usage + " ";
    }
    const std::regex commandNamed(R"(quintovar-cli ([a-z]+))");
    for (std::sregex_iterator it(readme.begin(), readme.end(), commandNamed), end; it != end; ++it)
        EXPECT_EQ(usages.count((*it)[1]), 1u) << (*it)[0];

    const std::size_t from = readme.find("## The companion: quintovar-cli");
    ASSERT_NE(from, std::string::npos);
    const std::string section = readme.substr(from, readme.find("\n## ", from + 1) - from);
    const std::regex optionNamed(R"(--[a-z][a-z-]+)");
    for (std::sregex_iterator it(section.begin(), section.end(), optionNamed), end; it != end;
         ++it) {
        const std::string option = it->str();
        if (option == "--help" || option == "--version") continue;
        EXPECT_TRUE(allUsages.find("[" + option + " ") != std::string::npos ||
                    allUsages.find("[" + option + "]") != std::string::npos)
            << option;
    }
}

} // namespace
} // namespace qv
