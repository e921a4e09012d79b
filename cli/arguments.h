#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv::cli {

// One option of a command: a flag, or an option followed by its value (a text, a whole number
// within [low, high], or one of a few texts). What the option means and the name of its value
// are declared with it, so that the usage and the help are made from the parser's own rules.
struct OptionRule {
    enum Kind { Flag, Text, Number, Choice };
    const char* name;    // "--frame"
    const char* value;   // its value in the usage: "N"; "" for a flag
    const char* meaning; // what it does, for COMMAND --help (lines after the first indented)
    Kind kind = Text;
    std::int64_t low = 0;             // Number only
    std::uint64_t high = 0;           // Number only
    std::vector<std::string> choices; // Choice only
};

OptionRule FlagOption(const char* name, const char* meaning);
OptionRule TextOption(const char* name, const char* value, const char* meaning);
OptionRule NumberOption(const char* name, const char* value, std::int64_t low, std::uint64_t high,
                        const char* meaning);
OptionRule ChoiceOption(const char* name, const char* value, std::vector<std::string> choices,
                        const char* meaning);

// What a command accepts and says about itself: the one source of its parser, its usage line
// and its help.
struct CommandSyntax {
    const char* name;     // "panel"
    const char* operands; // its positional arguments in the usage: "IN.kvr [OUT.csv | -]"
    int minPositional = 0;
    int maxPositional = 0;
    std::vector<OptionRule> options;
    const char* summary = ""; // what the command does, for --help
    const char* details = ""; // more for COMMAND --help: defaults, formats
};

// A command's arguments after ParseArguments: numbers are within their ranges, choices among
// theirs; an option given twice keeps its last value.
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values; // option name → its value ("" for a flag)

    bool Has(const std::string& option) const { return values.count(option) != 0; }
    std::string Text(const std::string& option, const std::string& fallback) const;
    std::int64_t Number(const std::string& option, std::int64_t fallback) const;
    std::uint64_t Unsigned(const std::string& option, std::uint64_t fallback) const;
};

// Whether the arguments after the command's name ask for its help ("--help" or "-h" where an
// option may stand, not as an option's value nor after "--").
bool AsksForHelp(const CommandSyntax& syntax, int argc, char** argv);

// Parses the arguments after the command's name, the same way for every command. Options may
// stand anywhere; "--" ends them; "-" alone is a positional argument (standard output or
// input). An unknown option, a missing value, a value that is not a whole number, outside its
// range or not among its choices, and too few or too many positional arguments print the
// problem and the usage to stderr and give nothing (the command then exits with status 2).
std::optional<Arguments> ParseArguments(const CommandSyntax& syntax, int argc, char** argv);

// Prints "quintovar-cli COMMAND: PROBLEM" to stderr, whole even when it holds NUL bytes.
void PrintProblem(const char* command, const std::string& problem);

} // namespace qv::cli
