#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv::cli {

// One option of a command: a flag, or an option followed by its value, a text or a whole
// number within [low, high].
struct OptionRule {
    enum Kind { Flag, Text, Number };
    const char* name; // "--frame"
    Kind kind = Text;
    std::int64_t low = 0;   // Number only
    std::uint64_t high = 0; // Number only
};

// What a command accepts: its usage text, how many positional arguments, its options.
struct CommandSyntax {
    const char* name;  // "panel"
    const char* usage; // "panel IN.kvr [--frame N] …"
    int minPositional = 0;
    int maxPositional = 0;
    std::vector<OptionRule> options;
};

// A command's arguments after ParseArguments: numbers are within their ranges; an option
// given twice keeps its last value.
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values; // option name → its value ("" for a flag)

    bool Has(const std::string& option) const { return values.count(option) != 0; }
    std::string Text(const std::string& option, const std::string& fallback) const;
    std::int64_t Number(const std::string& option, std::int64_t fallback) const;
    std::uint64_t Unsigned(const std::string& option, std::uint64_t fallback) const;
};

// Parses the arguments after the command's name, the same way for every command. Options may
// stand anywhere; "--" ends them; "-" alone is a positional argument (standard output or
// input). An unknown option, a missing value, a value that is not a whole number or outside
// its range, and too few or too many positional arguments print the problem and the usage to
// stderr and give nothing (the command then exits with status 2).
std::optional<Arguments> ParseArguments(const CommandSyntax& syntax, int argc, char** argv);

// Prints "quintovar-cli COMMAND: PROBLEM" to stderr, whole even when it holds NUL bytes.
void PrintProblem(const char* command, const std::string& problem);

} // namespace qv::cli
