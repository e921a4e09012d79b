#include "test_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace qv::test {

namespace {

// Gives back write permission to the directory and everything in it (Windows refuses to delete
// a read-only file), then removes it.
void RemoveTree(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    for (auto it = std::filesystem::recursive_directory_iterator(path, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code ignored;
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(path, ec);
}

} // namespace

TempDir::TempDir() {
    static int counter = 0;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("qv_files_" + std::string(info ? info->name() : "test") + "_" +
             std::to_string(counter++) + "_" + std::to_string(std::random_device{}()));
    RemoveTree(path_); // left over from an interrupted run
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    RemoveTree(path_);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(PathFromUtf8(path), std::ios::binary);
    out << bytes;
}

bool CanWriteDespitePermissions(const std::filesystem::path& directory) {
    const std::filesystem::path probe = directory / "probe";
    const bool created = static_cast<bool>(std::ofstream(probe));
    std::error_code ec;
    std::filesystem::remove(probe, ec);
    return created;
}

RecordingDocument VariedDocument(int frames, unsigned seed) {
    std::mt19937 random(seed);
    auto bit = [&random] { return static_cast<std::uint8_t>(random() & 1u); };
    RecordingDocument document;
    for (int n = 1; n <= frames; ++n) {
        FrameRow row;
        for (auto& byte : row.Analog) byte = static_cast<std::uint8_t>(random() & 0xFFu);
        for (auto& sample : row.Identifier) sample = bit();
        for (auto& b : row.Flags11) b = bit();
        for (auto& b : row.Flags12) b = bit();
        row.EndFlag = bit();
        row.FrameTime = static_cast<double>(random() % 86400) / 86400.0;
        document.frames.push_back(row);
    }
    document.samples[0] = {"", "Впрыск", "3,5", "ё;Ё"};
    for (int r = 0; r < 26; ++r) document.samples[1].push_back("№" + std::to_string(r));
    document.markers = {"0", "1", "37", "0", "5", "0", "0", "2", "0", "9"};
    document.comment = {"Холостой ход", "", "прогрев; 90 °C"};
    return document;
}

} // namespace qv::test
