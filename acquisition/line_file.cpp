#include "acquisition/line_file.h"

namespace qv {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Seconds with up to nine decimals, as whole nanoseconds; false for anything else.
bool ParseSeconds(std::string_view text, std::int64_t& ns, std::string& error) {
    std::size_t i = 0;
    std::int64_t whole = 0;
    while (i < text.size() && IsDigit(text[i])) {
        if (i >= 9) {
            error = "time too large (at most 999999999 seconds)";
            return false;
        }
        whole = whole * 10 + (text[i] - '0');
        ++i;
    }
    if (i == 0) {
        error = "time must start with a digit";
        return false;
    }
    std::int64_t fraction = 0;
    int decimals = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            if (++decimals > 9) {
                error = "time has more than nine decimals";
                return false;
            }
            fraction = fraction * 10 + (text[i] - '0');
            ++i;
        }
        if (decimals == 0) {
            error = "time needs digits after the point";
            return false;
        }
    }
    if (i != text.size()) {
        error = "time is not a decimal number of seconds";
        return false;
    }
    for (int d = decimals; d < 9; ++d) fraction *= 10;
    ns = whole * 1'000'000'000 + fraction;
    return true;
}

} // namespace

LineFileResult ParseLineFile(std::string_view text) {
    LineFileResult result;
    const auto fail = [&result](int line, const std::string& message) {
        result.Ok = false;
        result.Recording = {};
        result.ErrorLine = line;
        result.Error = (line > 0 ? "line " + std::to_string(line) + ": " : std::string()) + message;
        return result;
    };

    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        std::size_t i = 0;
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) continue; // blank line
        std::size_t timeEnd = i;
        while (timeEnd < line.size() && !IsBlank(line[timeEnd])) ++timeEnd;
        std::size_t levelStart = timeEnd;
        while (levelStart < line.size() && IsBlank(line[levelStart])) ++levelStart;
        std::size_t levelEnd = levelStart;
        while (levelEnd < line.size() && !IsBlank(line[levelEnd])) ++levelEnd;
        std::size_t rest = levelEnd;
        while (rest < line.size() && IsBlank(line[rest])) ++rest;

        if (levelStart == line.size()) return fail(lineNumber, "expected \"<seconds> <level>\"");
        if (rest != line.size()) return fail(lineNumber, "unexpected text after the level");

        LevelChange change;
        std::string error;
        if (!ParseSeconds(line.substr(i, timeEnd - i), change.TimeNs, error))
            return fail(lineNumber, error);
        const std::string_view level = line.substr(levelStart, levelEnd - levelStart);
        if (level != "0" && level != "1") return fail(lineNumber, "level must be 0 or 1");
        change.Level = level[0] - '0';

        std::vector<LevelChange>& changes = result.Recording.Changes;
        if (changes.empty() && change.TimeNs != 0)
            return fail(lineNumber, "the first line must give the level at time 0");
        if (!changes.empty() && change.TimeNs <= changes.back().TimeNs)
            return fail(lineNumber, "times must be ascending");
        changes.push_back(change);
    }
    if (result.Recording.Changes.empty()) return fail(0, "the file has no level changes");
    result.Ok = true;
    return result;
}

} // namespace qv
