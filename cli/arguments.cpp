#include "cli/arguments.h"
#include "cli/usage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

namespace qv::cli {
namespace {

struct WholeNumber {
    bool negative = false;
    std::uint64_t magnitude = 0;
};

// Optional sign and decimal digits, nothing else; nothing when it is not one or when its
// magnitude does not fit 64 bits.
std::optional<WholeNumber> ParseWhole(std::string_view text) {
    WholeNumber number;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (number.magnitude > (UINT64_MAX - digit) / 10) return std::nullopt;
        number.magnitude = number.magnitude * 10 + digit;
    }
    return number;
}

bool WithinRange(const WholeNumber& number, const OptionRule& option) {
    if (number.negative && number.magnitude != 0) {
        if (option.low >= 0) return false;
        return number.magnitude <= static_cast<std::uint64_t>(-(option.low + 1)) + 1;
    }
    if (option.low > 0 && number.magnitude < static_cast<std::uint64_t>(option.low)) return false;
    return number.magnitude <= option.high;
}

std::string RangeText(const OptionRule& option) {
    return std::to_string(option.low) + ".." + std::to_string(option.high);
}

// "a", "a или b", "a, b или c".
std::string ChoicesText(const std::vector<std::string>& choices) {
    std::string text;
    for (std::size_t n = 0; n < choices.size(); ++n) {
        if (n > 0) text += n + 1 == choices.size() ? " или " : ", ";
        text += choices[n];
    }
    return text;
}

// The problem with one value, or an empty text.
std::string CheckValue(const OptionRule& option, const std::string& value) {
    const std::string name = option.name;
    if (option.kind == OptionRule::Choice) {
        if (std::find(option.choices.begin(), option.choices.end(), value) != option.choices.end())
            return {};
        return name + ": «" + value + "» — допустимо только " + ChoicesText(option.choices);
    }
    if (option.kind != OptionRule::Number) return {};
    const auto number = ParseWhole(value);
    const std::size_t sign = !value.empty() && (value[0] == '-' || value[0] == '+') ? 1 : 0;
    const bool tooLong =
        value.size() > sign && value.find_first_not_of("0123456789", sign) == std::string::npos;
    if (!number && !tooLong) return name + ": «" + value + "» — не целое число";
    if (!number || !WithinRange(*number, option))
        return name + " " + value + " вне пределов " + RangeText(option);
    return {};
}

const OptionRule* FindOption(const CommandSyntax& syntax, std::string_view name) {
    for (const OptionRule& option : syntax.options)
        if (name == option.name) return &option;
    return nullptr;
}

// Prints the problem and the command's usage to stderr.
std::optional<Arguments> Problem(const CommandSyntax& syntax, const std::string& problem) {
    PrintProblem(syntax.name, problem);
    const std::string usage =
        UsageText(syntax) + "\nПодробно: quintovar-cli " + syntax.name + " --help\n";
    std::fwrite(usage.data(), 1, usage.size(), stderr);
    return std::nullopt;
}

} // namespace

OptionRule FlagOption(const char* name, const char* meaning) {
    return {name, "", meaning, OptionRule::Flag, 0, 0, {}};
}

OptionRule TextOption(const char* name, const char* value, const char* meaning) {
    return {name, value, meaning, OptionRule::Text, 0, 0, {}};
}

OptionRule NumberOption(const char* name, const char* value, std::int64_t low, std::uint64_t high,
                        const char* meaning) {
    return {name, value, meaning, OptionRule::Number, low, high, {}};
}

OptionRule ChoiceOption(const char* name, const char* value, std::vector<std::string> choices,
                        const char* meaning) {
    return {name, value, meaning, OptionRule::Choice, 0, 0, std::move(choices)};
}

std::string Arguments::Text(const std::string& option, const std::string& fallback) const {
    const auto it = values.find(option);
    return it == values.end() ? fallback : it->second;
}

std::int64_t Arguments::Number(const std::string& option, std::int64_t fallback) const {
    const auto it = values.find(option);
    if (it == values.end()) return fallback;
    const auto number = ParseWhole(it->second);
    if (!number) return fallback;
    const auto magnitude = static_cast<std::int64_t>(number->magnitude);
    return number->negative ? -magnitude : magnitude;
}

std::uint64_t Arguments::Unsigned(const std::string& option, std::uint64_t fallback) const {
    const auto it = values.find(option);
    if (it == values.end()) return fallback;
    const auto number = ParseWhole(it->second);
    return number && !number->negative ? number->magnitude : fallback;
}

bool AsksForHelp(const CommandSyntax& syntax, int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") return false;
        if (argument == "--help" || argument == "-h") return true;
        const OptionRule* option = FindOption(syntax, argument);
        if (option && option->kind != OptionRule::Flag) ++i; // its value
    }
    return false;
}

std::optional<Arguments> ParseArguments(const CommandSyntax& syntax, int argc, char** argv) {
    Arguments arguments;
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
            arguments.positional.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionRule* option = FindOption(syntax, argument);
        if (!option) return Problem(syntax, "неизвестный параметр " + argument);
        if (option->kind == OptionRule::Flag) {
            arguments.values[argument] = "";
            continue;
        }
        if (i + 1 >= argc) return Problem(syntax, "после " + argument + " нужно значение");
        const std::string value = argv[++i];
        if (const std::string problem = CheckValue(*option, value); !problem.empty())
            return Problem(syntax, problem);
        arguments.values[argument] = value;
    }
    const int count = static_cast<int>(arguments.positional.size());
    if (count < syntax.minPositional) return Problem(syntax, "не хватает аргументов");
    if (count > syntax.maxPositional)
        return Problem(syntax, "лишний аргумент «" + arguments.positional.back() + "»");
    return arguments;
}

void PrintProblem(const char* command, const std::string& problem) {
    const std::string line = std::string("quintovar-cli ") + command + ": " + problem + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace qv::cli
