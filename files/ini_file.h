#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// An INI (profile) file kept line for line, with the semantics of the Windows private-profile
// functions: sections and keys match case-insensitively, the first match counts, keys and values
// are trimmed of blanks and a value in matching quotes loses them. An update rewrites only that
// key's line and keeps every other line, comment and unknown key, and each line's own line end.
class IniFile {
public:
    static IniFile Parse(std::string_view bytes);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Replaces the key's value in place; a missing key is added after the last line of its
    // section, a missing section at the end of the file. New lines end with CR LF.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Bytes() const;

private:
    struct Line {
        std::string text;
        const char* end = ""; // "\r\n", "\n" or "" (a last line without a line end)
    };
    // Index of the section's header line, or nothing.
    std::optional<std::size_t> FindSection(std::string_view section) const;
    // Index one past the section's last line (the next header or the end of the file).
    std::size_t SectionEnd(std::size_t header) const;

    std::vector<Line> lines_;
};

// A profile value as an integer: decimal, or hexadecimal after "0x", "0X" or "$", with an
// optional sign; nothing for anything else.
std::optional<int> ParseProfileInteger(std::string_view text);

} // namespace qv
