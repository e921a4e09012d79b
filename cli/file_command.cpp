#include "cli/file_command.h"

#include "files/file_io.h"
#include "files/file_messages.h"

#include "recording/parameter_table.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>

namespace qv::cli {

int ReportFailure(const char* command, const std::string& path, const FileStatus& status) {
    if (status.ok()) return 0;
    if (status.message.find(path) != std::string::npos)
        PrintProblem(command, status.message);
    else
        PrintProblem(command, path + ": " + status.message);
    return 2;
}

bool LoadForCommand(const char* command, const std::string& path, RecordingDocument& document) {
    RecordingLoad load = LoadRecordingFile(path);
    if (!load.status.ok()) {
        ReportFailure(command, path, load.status);
        return false;
    }
    document = std::move(load.document);
    return true;
}

int WriteOutput(const char* command, const std::string& input, const std::string& output,
                std::string_view bytes) {
    if (output == "-") {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
            std::fflush(stdout) == 0)
            return 0;
        PrintProblem(command, "стандартный вывод: " + ErrnoText(errno));
        return 2;
    }
    if (!input.empty())
        if (FileStatus same = RefuseSameFile(input, output); !same.ok())
            return ReportFailure(command, output, same);
    return ReportFailure(command, output, WriteFileAtomically(output, bytes));
}

namespace {

// The options that choose a unit, by the parameter whose unit they choose.
struct DisplayOption {
    const char* name;
    const char* value;
    int parameter;
};
constexpr DisplayOption DisplayOptionNames[] = {
    {"--khh", "K", 3}, {"--temperature", "T", 6}, {"--vozduh", "V", 5}};

const UnitMenu& UnitMenuOf(int parameter) {
    const std::vector<UnitMenu>& menus = UnitMenus();
    return *std::find_if(menus.begin(), menus.end(),
                         [parameter](const UnitMenu& menu) { return menu.parameter == parameter; });
}

std::size_t Characters(const std::string& utf8) {
    std::size_t count = 0;
    for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// "«Единица клапана ХХ»: 1 «% от 255», 2 «% от 125», 3 «Шаг»; по умолчанию 1", wrapped.
std::string UnitOptionMeaning(const UnitMenu& menu) {
    std::vector<UnitMenuItem> items = menu.items;
    std::sort(items.begin(), items.end(),
              [](const UnitMenuItem& a, const UnitMenuItem& b) { return a.value < b.value; });
    std::vector<std::string> parts{std::string("«") + menu.caption + "»:"};
    for (std::size_t i = 0; i < items.size(); ++i)
        parts.push_back(std::to_string(items[i].value) + " «" + items[i].caption + "»" +
                        (i + 1 < items.size() ? "," : ";"));
    parts.push_back("по умолчанию 1");
    std::string text, line;
    for (const std::string& part : parts) {
        if (!line.empty() && Characters(line) + 1 + Characters(part) > 64) {
            text += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + part;
    }
    return text + line;
}

} // namespace

std::vector<OptionRule> DisplayOptions() {
    // The choices of the "Настройки" menus, by the numbers the settings file stores.
    // Made once: an option keeps a pointer to its meaning.
    static const std::vector<OptionRule> options = [] {
        static std::array<std::string, std::size(DisplayOptionNames)> meanings;
        std::vector<OptionRule> rules;
        for (std::size_t i = 0; i < meanings.size(); ++i) {
            const DisplayOption& option = DisplayOptionNames[i];
            const UnitMenu& menu = UnitMenuOf(option.parameter);
            meanings[i] = UnitOptionMeaning(menu);
            int highest = 1;
            for (const UnitMenuItem& item : menu.items) highest = std::max(highest, item.value);
            rules.push_back(NumberOption(option.name, option.value, 1,
                                         static_cast<std::uint64_t>(highest), meanings[i].c_str()));
        }
        return rules;
    }();
    return options;
}

DisplaySettings DisplaySettingsFrom(const Arguments& arguments) {
    DisplaySettings settings;
    for (const DisplayOption& option : DisplayOptionNames)
        settings = WithUnitChoice(settings, option.parameter,
                                  static_cast<int>(arguments.Number(option.name, 1)));
    return settings;
}

} // namespace qv::cli
