#include "cli/usage.h"

#include <algorithm>

namespace qv::cli {
namespace {

constexpr std::size_t Width = 100;

// "--frame N", "--inverted": an option as the usage shows it.
std::string OptionText(const OptionRule& option) {
    std::string text = option.name;
    if (option.kind != OptionRule::Flag) text += std::string(" ") + option.value;
    return text;
}

// The text with every line after the first indented by `indent` spaces.
std::string Indented(const std::string& text, std::size_t indent) {
    std::string result;
    for (const char c : text) {
        result += c;
        if (c == '\n') result.append(indent, ' ');
    }
    return result;
}

} // namespace

std::string WrappedUsage(const CommandSyntax& syntax, std::size_t column, std::size_t width) {
    std::string text = std::string(syntax.name) + " " + syntax.operands;
    std::size_t lineLength = column + text.size();
    for (const OptionRule& option : syntax.options) {
        const std::string part = "[" + OptionText(option) + "]";
        if (lineLength + 1 + part.size() > width) {
            text += "\n" + std::string(column, ' ');
            lineLength = column;
        } else {
            text += " ";
            ++lineLength;
        }
        text += part;
        lineLength += part.size();
    }
    return text;
}

std::string UsageText(const CommandSyntax& syntax) {
    constexpr std::size_t Column = 29; // after "Использование: quintovar-cli "
    return "Использование: quintovar-cli " + WrappedUsage(syntax, Column, Width);
}

std::string CommandHelp(const CommandSyntax& syntax) {
    std::string help = UsageText(syntax) + "\n" + syntax.summary + "\n";
    if (!syntax.options.empty()) {
        std::size_t column = 0;
        for (const OptionRule& option : syntax.options)
            column = std::max(column, OptionText(option).size());
        help += "\nПараметры:\n";
        for (const OptionRule& option : syntax.options) {
            const std::string text = OptionText(option);
            help += "  " + text + std::string(column - text.size() + 2, ' ') +
                    Indented(option.meaning, column + 4) + "\n";
        }
    }
    if (*syntax.details) help += std::string("\n") + syntax.details + "\n";
    return help;
}

std::string ProgramHelp(const std::vector<const CommandSyntax*>& commands) {
    std::string help =
        "quintovar-cli — спутник программы Quintovar, которая читает поток данных старых блоков\n"
        "управления двигателем Toyota: записи, их экспорт и панель, приём линии и чтение порта\n"
        "без окна.\n\n"
        "Использование: quintovar-cli КОМАНДА [АРГУМЕНТЫ]\n\nКоманды:\n";
    constexpr std::size_t Column = 16; // after "  quintovar-cli "
    for (const CommandSyntax* syntax : commands)
        help += "  quintovar-cli " + WrappedUsage(*syntax, Column, Width) + "\n      " +
                Indented(syntax->summary, 6) + "\n";
    help += "\nПараметры стоят где угодно; -- кончает параметры (для файла, имя которого\n"
            "начинается с -); - вместо имени выходного файла — стандартный вывод. Ошибка в\n"
            "аргументах — состояние выхода 2.\n\n"
            "  quintovar-cli КОМАНДА --help   что значат параметры команды\n"
            "  quintovar-cli --help           этот текст\n"
            "  quintovar-cli --version        версия\n";
    return help;
}

} // namespace qv::cli
