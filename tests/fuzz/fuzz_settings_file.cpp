// The settings-file reader fed any bytes: it never crashes; the file is kept line for line
// (parsed and written back it is unchanged); an update of one key is read back as written and
// leaves every other key's value as it was; the program's own values survive a save and load.
#include "files/ini_file.h"
#include "files/settings_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

const std::string& ScratchPath() {
    static const std::string path = "/tmp/qv_fuzz_settings_" + std::to_string(::getpid()) + ".ini";
    return path;
}

void WriteScratch(std::string_view bytes) {
    std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
    QV_FUZZ_CHECK(file != nullptr);
    QV_FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    std::fclose(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qv::IniFile parsed = qv::IniFile::Parse(bytes);
    QV_FUZZ_CHECK(parsed.Bytes() == bytes);

    // Whatever the file holds, the reader yields values; no key can make it fail.
    WriteScratch(bytes);
    const qv::SettingsValues values = qv::LoadSettings(ScratchPath());

    // Rewriting one key changes that key only.
    const char* keys[] = {"Vozduh", "Temperature", "KHH", "3S",   "1GGTE", "1JZGTE",
                          "N14",    "N24",         "N27", "col1", "col6"};
    qv::IniFile updated = parsed;
    updated.Set(qv::SettingsSection, "KHH", "3");
    QV_FUZZ_CHECK(updated.Get(qv::SettingsSection, "KHH") == std::optional<std::string>("3"));
    for (const char* key : keys) {
        if (std::string_view(key) == "KHH") continue;
        QV_FUZZ_CHECK(updated.Get(qv::SettingsSection, key) ==
                      parsed.Get(qv::SettingsSection, key));
    }
    QV_FUZZ_CHECK(qv::IniFile::Parse(updated.Bytes()).Get(qv::SettingsSection, "KHH") ==
                  std::optional<std::string>("3"));

    // The program's own values come back from its own file.
    qv::IniFile own = parsed;
    own.Set(qv::SettingsSection, "Vozduh", std::to_string(int(values.display.Vozduh)));
    own.Set(qv::SettingsSection, "col1", std::to_string(values.SeriesColours[0]));
    WriteScratch(own.Bytes());
    const qv::SettingsValues reread = qv::LoadSettings(ScratchPath());
    QV_FUZZ_CHECK(reread.display.Vozduh == values.display.Vozduh);
    QV_FUZZ_CHECK(reread.SeriesColours[0] == values.SeriesColours[0]);
    return 0;
}
