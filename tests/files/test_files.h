#pragma once

#include "files/file_io.h"
#include "files/recording_document.h"

#include <filesystem>
#include <string>

namespace qv::test {

// A fresh, empty directory for one test, removed again afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The UTF-8 path of `name` (UTF-8) inside the directory, as the file functions take it.
    std::string File(const std::string& name) const {
        return PathToUtf8(path_ / PathFromUtf8(name));
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// True when a file can be created in `directory` although its permissions forbid it (root).
bool CanWriteDespitePermissions(const std::filesystem::path& directory);

// A document of `frames` frames whose every field varies with the frame number (seeded), with
// samples, markers and a comment in Cyrillic.
RecordingDocument VariedDocument(int frames, unsigned seed = 1);

} // namespace qv::test
