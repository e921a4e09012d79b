#pragma once

// What the tests that run whole programs read back: a file's bytes and its non-empty lines.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace qv::test {

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

} // namespace qv::test
