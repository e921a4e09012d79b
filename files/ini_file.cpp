#include "files/ini_file.h"

#include <cstdint>

namespace qv {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The section name of a header line, or nothing when the line is not a header.
std::optional<std::string_view> HeaderName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    const std::string_view name =
        line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    return Trim(name);
}

struct KeyLine {
    std::string_view key, value;
};

std::optional<KeyLine> SplitKeyLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

} // namespace

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile file;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        Line line;
        if (lf == std::string_view::npos) {
            line.text = std::string(bytes.substr(start));
            start = bytes.size();
        } else {
            std::string_view text = bytes.substr(start, lf - start);
            line.end = "\n";
            if (!text.empty() && text.back() == '\r') {
                text.remove_suffix(1);
                line.end = "\r\n";
            }
            line.text = std::string(text);
            start = lf + 1;
        }
        file.lines_.push_back(std::move(line));
    }
    return file;
}

std::optional<std::size_t> IniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(lines_[i].text);
        if (name && SameName(*name, section)) return i;
    }
    return std::nullopt;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !HeaderName(lines_[i].text)) ++i;
    return i;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    const auto header = FindSection(section);
    if (!header) return std::nullopt;
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const auto entry = SplitKeyLine(lines_[i].text);
        if (!entry || !SameName(entry->key, key)) continue;
        std::string_view value = entry->value;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    auto header = FindSection(section);
    if (!header) {
        if (!lines_.empty() && *lines_.back().end == '\0') lines_.back().end = "\r\n";
        if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back({"", "\r\n"});
        std::string headerLine = "[";
        headerLine.append(section).append("]");
        lines_.push_back({std::move(headerLine), "\r\n"});
        header = lines_.size() - 1;
    }
    const std::size_t end = SectionEnd(*header);
    std::size_t last = *header;
    for (std::size_t i = *header + 1; i < end; ++i) {
        const auto entry = SplitKeyLine(lines_[i].text);
        if (entry && SameName(entry->key, key)) {
            std::string text(entry->key);
            lines_[i].text = text.append("=").append(value);
            return;
        }
        if (!Trim(lines_[i].text).empty()) last = i;
    }
    if (*lines_[last].end == '\0') lines_[last].end = "\r\n";
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1),
                  {std::string(key).append("=").append(value), "\r\n"});
}

std::string IniFile::Bytes() const {
    std::string out;
    for (const Line& line : lines_) out.append(line.text).append(line.end);
    return out;
}

std::optional<int> ParseProfileInteger(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.starts_with("$")) {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFLL) return std::nullopt;
    }
    if (base == 16) {
        // Hexadecimal covers all 32 bits: $FFFFFFFF is -1.
        auto bits = static_cast<std::uint32_t>(value);
        if (negative) bits = 0u - bits;
        return static_cast<int>(static_cast<std::int32_t>(bits));
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

} // namespace qv
