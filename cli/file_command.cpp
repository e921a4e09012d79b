#include "cli/file_command.h"

#include "files/file_io.h"
#include "files/file_messages.h"

#include "recording/parameter_table.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

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
#ifdef _WIN32
        // The bytes are the file's own (a picture, CR LF lines): the text mode of Windows'
        // standard output would put a CR before every LF byte.
        std::fflush(stdout);
        const int mode = _setmode(_fileno(stdout), _O_BINARY);
#endif
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
                             std::fflush(stdout) == 0;
#ifdef _WIN32
        if (mode != -1) _setmode(_fileno(stdout), mode);
#endif
        if (written) return 0;
        PrintProblem(command, "стандартный вывод: " + ErrnoText(errno));
        return 2;
    }
    if (!input.empty())
        if (FileStatus same = RefuseSameFile(input, output); !same.ok())
            return ReportFailure(command, output, same);
    return ReportFailure(command, output, WriteFileAtomically(output, bytes));
}

namespace {

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
        static std::vector<std::string> meanings;
        meanings.reserve(UnitSettings().size()); // the options keep pointers into it
        std::vector<OptionRule> rules;
        for (const UnitSetting& setting : UnitSettings()) {
            const UnitMenu& menu = UnitMenuOf(setting.parameter);
            meanings.push_back(UnitOptionMeaning(menu));
            int highest = 1;
            for (const UnitMenuItem& item : menu.items) highest = std::max(highest, item.value);
            rules.push_back(NumberOption(setting.option, setting.optionValue, 1,
                                         static_cast<std::uint64_t>(highest),
                                         meanings.back().c_str()));
        }
        return rules;
    }();
    return options;
}

DisplaySettings DisplaySettingsFrom(const Arguments& arguments) {
    DisplaySettings settings;
    for (const UnitSetting& setting : UnitSettings())
        setting.field.set(settings, static_cast<int>(arguments.Number(setting.option, 1)));
    return settings;
}

} // namespace qv::cli
