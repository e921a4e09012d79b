#include "cli/file_command.h"

#include "files/file_io.h"
#include "files/file_messages.h"

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

std::vector<OptionRule> DisplayOptions() {
    // The choices of the "Настройки" menus, by the numbers the settings file stores.
    return {NumberOption("--khh", "K", 1, 3,
                         "«Единица клапана ХХ»: 1 «% от 255», 2 «% от 125», 3 «Шаг»; по "
                         "умолчанию 1"),
            NumberOption("--temperature", "T", 1, 2,
                         "«Температурная зависимость»: 1 «Прямая», 2 «Обратная»; по умолчанию 1"),
            NumberOption("--vozduh", "V", 1, 5,
                         "«Тип измерителя на впуске»: 1 «MAP давление, кПа», 2 «MAP давление,\n"
                         "мм.рт.ст.», 3 «MAF поток KS, мс», 4 «MAF массовый расход, гр/сек»,\n"
                         "5 «Напряжение на датчике, В»; по умолчанию 1")};
}

DisplaySettings DisplaySettingsFrom(const Arguments& arguments) {
    DisplaySettings settings;
    settings.KHH = static_cast<IdleAirUnit>(arguments.Number("--khh", 1));
    settings.Temperature = static_cast<CoolantDependence>(arguments.Number("--temperature", 1));
    settings.Vozduh = static_cast<IntakeKind>(arguments.Number("--vozduh", 1));
    return settings;
}

} // namespace qv::cli
