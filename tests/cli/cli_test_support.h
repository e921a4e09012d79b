#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace qv::test {

// A test of quintovar-cli: a fresh directory per test, and the companion run as a process
// with its output captured in stdout.txt and stderr.txt there.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("qv_cli_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
               std::to_string(std::random_device{}()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string File(const std::string& name) const { return (dir / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // An argument quoted for the shell that runs the companion: sh, or cmd.exe on Windows.
    static std::string Quoted(const std::string& text) {
#ifdef _WIN32
        return "\"" + text + "\"";
#else
        return "'" + text + "'";
#endif
    }
    // The companion's exit status for these arguments (-1 when it did not exit normally).
    int RunCli(const std::string& arguments) {
        const std::string command = std::string("\"") + QV_CLI_PATH + "\" " + arguments + " >\"" +
                                    File("stdout.txt") + "\" 2>\"" + File("stderr.txt") + "\"";
#ifdef _WIN32
        // cmd.exe drops the first and the last quote of a command line that starts with one;
        // the wide call keeps names outside the ANSI code page whole. The companion's text
        // output ends its lines with CR LF there, as Windows programs do; the tests compare
        // the lines.
        const std::string line = "\"" + command + "\"";
        const int status =
            _wsystem(std::filesystem::path(std::u8string(line.begin(), line.end())).c_str());
        for (const char* name : {"stdout.txt", "stderr.txt"}) {
            std::string text = Read(File(name));
            for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
            std::ofstream(File(name), std::ios::binary) << text;
        }
        return status;
#else
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    }

    std::filesystem::path dir;
};

// The commands that `quintovar-cli --help` lists, each with its usage ("csv IN.kvr [OUT.csv |
// -]"), its wrapped lines joined by single spaces.
inline std::map<std::string, std::string> UsagesInHelp(const std::string& help) {
    std::map<std::string, std::string> usages;
    std::istringstream lines(help.substr(help.find("\nКоманды:\n") + 1));
    std::string line, last;
    const std::string prefix = "  quintovar-cli ", continuation(prefix.size(), ' ');
    while (std::getline(lines, line) && !(line.empty() && !usages.empty())) {
        if (line.rfind(prefix, 0) == 0) {
            last = line.substr(prefix.size(), line.find(' ', prefix.size()) - prefix.size());
            usages[last] = line.substr(prefix.size());
        } else if (!last.empty() && line.rfind(continuation, 0) == 0 &&
                   line[prefix.size()] != ' ') {
            usages[last] += " " + line.substr(prefix.size());
        }
    }
    return usages;
}

} // namespace qv::test
