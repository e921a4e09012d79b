#pragma once

#include <string>
#include <string_view>

namespace qv {

// Windows-1251, the Russian ANSI code page of every file the program writes.

// UTF-8 text to Windows-1251 bytes. A character the code page lacks, and every byte that is
// not valid UTF-8, becomes "?".
std::string Utf8ToCp1251(std::string_view utf8);

// Windows-1251 bytes to UTF-8 text. Every byte maps to one character (0x98, unassigned in the
// code page, maps to U+0098 so that it survives a round trip).
std::string Cp1251ToUtf8(std::string_view bytes);

} // namespace qv
