// Two writers race to write their contents to one file (absent, a regular file, or a symbolic
// link to one, as the first byte says; the second splits the rest into the two contents),
// while a reader reads it: every write succeeds, the reader only ever sees whole contents,
// and the file ends as one of the two, with no temporary file left behind.
#include "files/file_io.h"
#include "fuzz_check.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kWritesEach = 3;
constexpr std::size_t MaxBytes = 1 << 20;
constexpr const char* kInitial = "initial contents";

// A scratch folder of this process, removed when it ends.
const fs::path& Folder() {
    static const fs::path folder =
        fs::temp_directory_path() / ("qv_fuzz_write_" + std::to_string(::getpid()));
    static const struct RemoveAtExit {
        ~RemoveAtExit() {
            std::error_code ec;
            fs::remove_all(folder, ec);
        }
    } removeAtExit;
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 2 + 2 * MaxBytes / 4) return 0;
    const int kind = data[0] % 3; // 0 absent, 1 regular file, 2 link to a file
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t split = rest.size() * data[1] / 255;
    const std::string contents[2] = {std::string(rest.substr(0, split)),
                                     std::string(rest.substr(split))};

    std::error_code ec;
    fs::remove_all(Folder(), ec);
    fs::create_directories(Folder());
    const std::string target = (Folder() / "target.kvr").string();
    const std::string real = (Folder() / "real.kvr").string();
    if (kind == 1) QV_FUZZ_CHECK(qv::WriteFileAtomically(target, kInitial).ok());
    if (kind == 2) {
        QV_FUZZ_CHECK(qv::WriteFileAtomically(real, kInitial).ok());
        fs::create_symlink("real.kvr", target);
    }

    std::atomic<int> written{0};
    std::atomic<bool> writing{true};
    std::thread reader([&] {
        std::string bytes;
        while (writing) {
            const bool present = kind != 0 || written > 0;
            const qv::FileStatus status = qv::ReadWholeFile(target, bytes, MaxBytes);
            if (!status.ok()) {
                QV_FUZZ_CHECK(!present); // only a file not yet written can be missing
                continue;
            }
            QV_FUZZ_CHECK(bytes == contents[0] || bytes == contents[1] ||
                          (kind != 0 && bytes == kInitial));
        }
    });
    std::thread writers[2];
    for (int w = 0; w < 2; ++w)
        writers[w] = std::thread([&, w] {
            for (int i = 0; i < kWritesEach; ++i) {
                QV_FUZZ_CHECK(qv::WriteFileAtomically(target, contents[w]).ok());
                ++written;
            }
        });
    for (std::thread& writer : writers) writer.join();
    writing = false;
    reader.join();

    std::string bytes;
    QV_FUZZ_CHECK(qv::ReadWholeFile(target, bytes, MaxBytes).ok());
    QV_FUZZ_CHECK(bytes == contents[0] || bytes == contents[1]);
    if (kind == 2) QV_FUZZ_CHECK(fs::is_symlink(target));
    for (const auto& entry : fs::directory_iterator(Folder()))
        QV_FUZZ_CHECK(entry.path().filename().string().rfind(".qv", 0) != 0);
    return 0;
}
