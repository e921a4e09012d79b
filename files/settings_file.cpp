#include "files/settings_file.h"

#include "files/cp1251.h"
#include "files/file_io.h"
#include "files/ini_file.h"
#include "recording/parameter_table.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace qv {
namespace {

struct BooleanKey {
    const char* name;
    bool SettingsValues::*field;
};

constexpr const char* LastPortKey = "LastPort";

// The unit settings' keys come first, in their order.
std::vector<const UnitSetting*> UnitKeys() {
    std::vector<const UnitSetting*> keys;
    for (const UnitSetting& setting : UnitSettings()) keys.push_back(&setting);
    std::sort(keys.begin(), keys.end(),
              [](const UnitSetting* a, const UnitSetting* b) { return a->keyOrder < b->keyOrder; });
    return keys;
}
constexpr BooleanKey BooleanKeys[] = {
    {"3S", &SettingsValues::Preset},           {"1GGTE", &SettingsValues::Engine1GGTE},
    {"1JZGTE", &SettingsValues::Engine1JZGTE}, {"N14", &SettingsValues::DtrHigh},
    {"N24", &SettingsValues::InvertedAdapter}, {"N27", &SettingsValues::ReducedCpu},
};

std::string ColourKey(std::size_t i) {
    return "col" + std::to_string(i + 1);
}

int ReadInteger(const IniFile& file, const std::string& key, int fallback) {
    const auto text = file.Get(SettingsSection, key);
    if (!text) return fallback;
    return ParseProfileInteger(*text).value_or(fallback);
}

FileStatus SettingsWriteFailure(const std::string& path) {
    return FileStatus::Error(FileErrorKind::Io, "Unable to write to " + path);
}

} // namespace

SettingsValues LoadSettings(const std::string& path) {
    SettingsValues values;
    std::string bytes;
    if (!ReadWholeFile(path, bytes, MaxSettingsFileBytes).ok()) return values;
    const IniFile file = IniFile::Parse(bytes);
    for (const UnitSetting* unit : UnitKeys())
        unit->field.set(values.display,
                        ReadInteger(file, unit->key, unit->field.get(values.display)));
    for (const BooleanKey& key : BooleanKeys)
        values.*key.field = ReadInteger(file, key.name, values.*key.field ? 1 : 0) != 0;
    for (std::size_t i = 0; i < values.SeriesColours.size(); ++i)
        values.SeriesColours[i] = ReadInteger(file, ColourKey(i), values.SeriesColours[i]);
    values.LastPort = Cp1251ToUtf8(file.Get(SettingsSection, LastPortKey).value_or(""));
    return values;
}

FileStatus ReadSettingsForUpdate(const std::string& path, std::string& bytes) {
    const std::filesystem::path target = PathFromUtf8(path);
    std::error_code ec;
    bytes.clear();
    if (std::filesystem::exists(target, ec) &&
        !ReadWholeFile(path, bytes, MaxSettingsFileBytes).ok())
        return SettingsWriteFailure(path);
    if (target.has_parent_path() && !std::filesystem::exists(target.parent_path(), ec))
        std::filesystem::create_directories(target.parent_path(), ec);
    return {};
}

FileStatus WriteSettingsFile(const std::string& path, const IniFile& file) {
    if (!WriteFileAtomically(path, file.Bytes()).ok()) return SettingsWriteFailure(path);
    return {};
}

FileStatus SaveSettings(const std::string& path, const SettingsValues& values) {
    std::string bytes;
    if (FileStatus read = ReadSettingsForUpdate(path, bytes); !read.ok()) return read;
    IniFile file = IniFile::Parse(bytes);
    for (const UnitSetting* unit : UnitKeys())
        file.Set(SettingsSection, unit->key, std::to_string(unit->field.get(values.display)));
    for (const BooleanKey& key : BooleanKeys)
        file.Set(SettingsSection, key.name, values.*key.field ? "1" : "0");
    for (std::size_t i = 0; i < values.SeriesColours.size(); ++i)
        file.Set(SettingsSection, ColourKey(i), std::to_string(values.SeriesColours[i]));
    if (!values.LastPort.empty())
        file.Set(SettingsSection, LastPortKey, Utf8ToCp1251(values.LastPort));
    return WriteSettingsFile(path, file);
}

bool IsSystemProgramFolder(const std::string& directory) {
    const std::string dir = PathToUtf8(PathFromUtf8(directory).lexically_normal());
    for (const char* folder : {"/usr", "/bin", "/sbin"}) {
        const std::string prefix = folder;
        if (dir.compare(0, prefix.size(), prefix) == 0 &&
            (dir.size() == prefix.size() || dir[prefix.size()] == '/'))
            return true;
    }
    return false;
}

std::string ChooseSettingsPath(const std::string& executableDir, const std::string& xdgConfigHome,
                               const std::string& home, const SettingsLocationProbe& probe,
                               bool windows) {
    const std::string besideProgram = JoinPath(executableDir, SettingsFileName);
    if (windows) return besideProgram;
    // An installed program lies in a folder of the package manager, which root could write
    // into; its settings belong to the user instead.
    const bool installed = IsSystemProgramFolder(executableDir);
    if (!installed && (probe.fileExists(besideProgram) || probe.directoryWritable(executableDir)))
        return besideProgram;
    std::string configDir;
    if (!xdgConfigHome.empty() && PathFromUtf8(xdgConfigHome).is_absolute())
        configDir = xdgConfigHome;
    else if (!home.empty())
        configDir = JoinPath(home, ".config");
    else
        return besideProgram;
    return JoinPath(JoinPath(configDir, "quintovar"), SettingsFileName);
}

std::string SettingsFilePath(const std::string& executableDir) {
#ifdef _WIN32
    constexpr bool windows = true;
#else
    constexpr bool windows = false;
#endif
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    SettingsLocationProbe probe;
    probe.fileExists = [](const std::string& path) {
        std::error_code ec;
        return std::filesystem::exists(PathFromUtf8(path), ec);
    };
    probe.directoryWritable = DirectoryWritable;
    return ChooseSettingsPath(executableDir, xdg ? xdg : "", home ? home : "", probe, windows);
}

} // namespace qv
