#pragma once

#include "files/file_status.h"
#include "recording/display_settings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace qv {

class IniFile;

inline constexpr const char* SettingsFileName = "QuintovarByTrelm52.ini";
inline constexpr const char* SettingsSection = "Param";
// The program's own settings file is well under 1 KB; a larger one is not read.
inline constexpr std::size_t MaxSettingsFileBytes = 1024 * 1024;

// What the settings file keeps between runs, with the defaults of a first run.
struct SettingsValues {
    // The keys of the unit settings (UnitSettings: "Vozduh", "Temperature", "KHH"): the numbers
    // of the choices, kept as they are even when they name none.
    DisplaySettings display;
    bool Preset = false;          // key "3S": the preset check mark
    bool Engine1GGTE = false;     // key "1GGTE"
    bool Engine1JZGTE = false;    // key "1JZGTE"
    bool DtrHigh = false;         // key "N14": "Напряжение лог.1 на DTR"
    bool InvertedAdapter = false; // key "N24": "Инверсный адаптер"
    bool ReducedCpu = true;       // key "N27": "Пониженная загрузка ЦП"
    std::array<std::int32_t, 6> SeriesColours{}; // keys "col1".."col6", 0x00BBGGRR
    // Key "LastPort": the port box's text when a reading last started, chosen again at the
    // next start when the port is there. Empty: none yet, and nothing is written.
    std::string LastPort;

    bool operator==(const SettingsValues&) const = default;
};

// Reads the settings; a missing file, section or key, or a value that is not an integer, gives
// that key's default, and so does a file that is not a regular file or is larger than
// MaxSettingsFileBytes.
SettingsValues LoadSettings(const std::string& path);

// Writes the fifteen keys, and LastPort when there is one, into the file, keeping every other
// line; creates the file (and its directory) when missing. The file is written safely (see
// WriteFileAtomically): replaced in one step, or rewritten in place when only the file, not its
// folder, may be written. On failure the message is "Unable to write to " followed by the path.
FileStatus SaveSettings(const std::string& path, const SettingsValues& values);

// An update of some keys of the settings file, keeping every other line: the file's bytes (empty
// for a missing file; its folder is created), then the updated file written safely. Either fails
// with "Unable to write to " followed by the path.
FileStatus ReadSettingsForUpdate(const std::string& path, std::string& bytes);
FileStatus WriteSettingsFile(const std::string& path, const IniFile& file);

// Whether a POSIX directory belongs to the system's installed programs (/usr and below, /bin,
// /sbin).
bool IsSystemProgramFolder(const std::string& directory);

// Where the settings file lies. On Windows beside the executable. Elsewhere beside the
// executable too when that directory is writable or the file already exists there, unless the
// program is installed in a system folder; otherwise in $XDG_CONFIG_HOME/quintovar, or
// ~/.config/quintovar when XDG_CONFIG_HOME is unset, empty or relative (and beside the
// executable when neither is known).
struct SettingsLocationProbe {
    std::function<bool(const std::string& path)> fileExists;
    std::function<bool(const std::string& directory)> directoryWritable;
};
std::string ChooseSettingsPath(const std::string& executableDir, const std::string& xdgConfigHome,
                               const std::string& home, const SettingsLocationProbe& probe,
                               bool windows);

// ChooseSettingsPath with this process's environment, the real file system and platform.
std::string SettingsFilePath(const std::string& executableDir);

} // namespace qv
