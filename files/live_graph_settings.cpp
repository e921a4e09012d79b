#include "files/live_graph_settings.h"

#include "files/file_io.h"
#include "files/ini_file.h"
#include "files/settings_file.h"
#include "recording/parameter_table.h"

namespace qv {
namespace {

std::string Numbered(const char* key, std::size_t n) {
    return key + std::to_string(n + 1);
}

} // namespace

LiveGraphSettings LoadLiveGraphSettings(const std::string& path) {
    LiveGraphSettings values;
    std::string bytes;
    if (!ReadWholeFile(path, bytes, MaxSettingsFileBytes).ok()) return values;
    const IniFile file = IniFile::Parse(bytes);
    const auto read = [&](const std::string& key) -> std::optional<int> {
        const auto text = file.Get(LiveGraphSection, key);
        return text ? ParseProfileInteger(*text) : std::nullopt;
    };
    LiveChoices& choices = values.choices;
    for (std::size_t n = 0; n < choices.series.size(); ++n) {
        LiveSeriesChoice& series = choices.series[n];
        if (const auto p = read(Numbered("Series", n)); p && *p >= 0 && *p <= ParameterCount)
            series.p = *p;
        if (const auto scale = read(Numbered("Scale", n)); scale && (*scale == 0 || *scale == 1))
            series.scale = static_cast<LiveScale>(*scale);
    }
    if (const auto flags = read("Flags"))
        for (std::size_t f = 0; f < choices.flags.size(); ++f)
            choices.flags[f] = (*flags >> f & 1) != 0;
    if (const auto span = read("Span")) choices.span = NearestLiveSpan(*span);
    values.width = std::max(read("Width").value_or(0), 0);
    values.height = std::max(read("Height").value_or(0), 0);
    return values;
}

FileStatus SaveLiveGraphSettings(const std::string& path, const LiveGraphSettings& values) {
    std::string bytes;
    if (FileStatus status = ReadSettingsForUpdate(path, bytes); !status.ok()) return status;
    IniFile file = IniFile::Parse(bytes);
    const auto write = [&](const std::string& key, int value) {
        file.Set(LiveGraphSection, key, std::to_string(value));
    };
    const LiveChoices& choices = values.choices;
    for (std::size_t n = 0; n < choices.series.size(); ++n) {
        write(Numbered("Series", n), choices.series[n].p);
        write(Numbered("Scale", n), static_cast<int>(choices.series[n].scale));
    }
    int flags = 0;
    for (std::size_t f = 0; f < choices.flags.size(); ++f) flags |= choices.flags[f] ? 1 << f : 0;
    write("Flags", flags);
    write("Span", choices.span);
    write("Width", values.width);
    write("Height", values.height);
    return WriteSettingsFile(path, file);
}

} // namespace qv
