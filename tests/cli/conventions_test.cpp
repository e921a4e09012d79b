// What every command-line user expects of the companion: help on standard output, usage
// errors on standard error with status 2, a version, and a help that names exactly the options
// each command takes.
#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace qv {
namespace {

using CliConventions = test::CliTest;

TEST_F(CliConventions, HelpAndVersionGoToStandardOutputAndUsageErrorsToStandardError) {
    const struct {
        std::string arguments;
        int status;
        const char* out; // what standard output begins with; the other stream stays empty
        const char* err; // what standard error holds
    } cases[] = {
        {"--help", 0, "quintovar-cli — ", nullptr},
        {"-h", 0, "quintovar-cli — ", nullptr},
        {"--version", 0, "quintovar-cli " QV_VERSION "\n", nullptr},
        {"csv --help", 0, "Использование: quintovar-cli csv IN.kvr", nullptr},
        {"receive line.txt --inverted --help", 0, "Использование: quintovar-cli receive", nullptr},
        {"", 2, nullptr, "Использование: quintovar-cli КОМАНДА [АРГУМЕНТЫ]"},
        {"bogus", 2, nullptr, "quintovar-cli: неизвестная команда «bogus»"},
        {"csv", 2, nullptr, "Использование: quintovar-cli csv IN.kvr [OUT.csv | -]"},
        {"csv --bogus in.kvr", 2, nullptr, "quintovar-cli csv: неизвестный параметр --bogus"},
        // "--help" as an option's value or after "--" is no request for help.
        {"receive line.txt --frequency --help", 2, nullptr, "«--help» — не целое число"},
        {"csv -- --help", 2, nullptr, "--help: нет такого файла или папки"},
        {"plot in.kvr out.jpg", 2, nullptr, "«out.jpg» — картинка пишется в файл .png"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunCli(c.arguments), c.status) << c.arguments;
        const std::string out = Read(File("stdout.txt")), err = Read(File("stderr.txt"));
        if (c.out) {
            EXPECT_EQ(out.rfind(c.out, 0), 0u) << c.arguments << ": " << out;
            EXPECT_EQ(err, "") << c.arguments;
        } else {
            EXPECT_EQ(out, "") << c.arguments;
            EXPECT_NE(err.find(c.err), std::string::npos) << c.arguments << ": " << err;
        }
    }
}

// The options each command's help lists, in its "Параметры:" part.
std::set<std::string> DocumentedOptions(const std::string& help) {
    std::set<std::string> options;
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("  --", 0) == 0) options.insert(line.substr(2, line.find(' ', 2) - 2));
    return options;
}

// Every option that a command's help lists is accepted, and every option of another command is
// refused by the commands whose help does not list it.
TEST_F(CliConventions, EachCommandAcceptsExactlyTheOptionsItsHelpLists) {
    ASSERT_EQ(RunCli("--help"), 0);
    const auto usages = test::UsagesInHelp(Read(File("stdout.txt")));
    ASSERT_GE(usages.size(), 7u);
    std::map<std::string, std::set<std::string>> documented;
    std::set<std::string> named;
    for (const auto& [command, usage] : usages) {
        ASSERT_EQ(RunCli(command + " --help"), 0) << command;
        documented[command] = DocumentedOptions(Read(File("stdout.txt")));
        named.insert(documented[command].begin(), documented[command].end());
        // The usage shows the same options as the list.
        std::set<std::string> inUsage;
        const std::regex option(R"(\[(--[a-z-]+))");
        for (std::sregex_iterator it(usage.begin(), usage.end(), option), end; it != end; ++it)
            inUsage.insert((*it)[1]);
        EXPECT_EQ(inUsage, documented[command]) << command;
    }
    for (const auto& [command, options] : documented)
        for (const std::string& name : named) {
            // Whatever the option takes, the four names after it make too many arguments: the
            // command stops at its arguments and does nothing.
            RunCli(command + " " + name + " -- a b c d");
            const bool accepted =
                Read(File("stderr.txt")).find("неизвестный параметр " + name) == std::string::npos;
            EXPECT_EQ(accepted, options.count(name) == 1) << command << " " << name;
        }
}

} // namespace
} // namespace qv
