#pragma once

#include "cli/arguments.h"

#include <string>
#include <vector>

namespace qv::cli {

// The texts a command says about itself, made from its CommandSyntax alone, so that they name
// exactly the options its parser takes.

// "panel IN.kvr [--frame N] [--decimal C] ...": the command, its operands and every option,
// printed from `column` on and wrapped before an option to fit `width` columns; continuation
// lines are indented to `column`.
std::string WrappedUsage(const CommandSyntax& syntax, std::size_t column, std::size_t width);

// "Использование: quintovar-cli panel IN.kvr ...", as a usage error shows it.
std::string UsageText(const CommandSyntax& syntax);

// COMMAND --help: the usage, the summary, each option with its meaning, the details.
std::string CommandHelp(const CommandSyntax& syntax);

// --help: what the companion is, each command's usage and summary, the rules they share.
std::string ProgramHelp(const std::vector<const CommandSyntax*>& commands);

} // namespace qv::cli
