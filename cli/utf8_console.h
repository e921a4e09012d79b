#pragma once

#include <string>
#include <vector>

namespace qv::cli {

// The program's arguments as UTF-8, the encoding every command takes file names in. Windows
// hands main() its arguments in the ANSI code page, which cannot hold every name (a Cyrillic
// user name in the path on a Western system, for one), so there they come from the wide
// command line; elsewhere they are argv as given.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Makes a Windows console show the UTF-8 text the commands print; nothing elsewhere.
void UseUtf8Console();

} // namespace qv::cli
