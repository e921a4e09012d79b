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
            error = "время больше 999999999 секунд";
            return false;
        }
        whole = whole * 10 + (text[i] - '0');
        ++i;
    }
    if (i == 0) {
        error = "время должно начинаться с цифры";
        return false;
    }
    std::int64_t fraction = 0;
    int decimals = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            if (++decimals > 9) {
                error = "во времени больше девяти знаков после точки";
                return false;
            }
            fraction = fraction * 10 + (text[i] - '0');
            ++i;
        }
        if (decimals == 0) {
            error = "во времени нет цифр после точки";
            return false;
        }
    }
    if (i != text.size()) {
        error = "время — не десятичное число секунд";
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
        result.Error =
            (line > 0 ? "строка " + std::to_string(line) + ": " : std::string()) + message;
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

        if (levelStart == line.size()) return fail(lineNumber, "ожидается «<секунды> <уровень>»");
        if (rest != line.size()) return fail(lineNumber, "лишний текст после уровня");

        LevelChange change;
        std::string error;
        if (!ParseSeconds(line.substr(i, timeEnd - i), change.TimeNs, error))
            return fail(lineNumber, error);
        const std::string_view level = line.substr(levelStart, levelEnd - levelStart);
        if (level != "0" && level != "1") return fail(lineNumber, "уровень должен быть 0 или 1");
        change.Level = level[0] - '0';

        std::vector<LevelChange>& changes = result.Recording.Changes;
        if (changes.empty() && change.TimeNs != 0)
            return fail(lineNumber, "первая строка должна задавать уровень в момент 0");
        if (!changes.empty() && change.TimeNs <= changes.back().TimeNs)
            return fail(lineNumber, "время должно возрастать");
        changes.push_back(change);
    }
    if (result.Recording.Changes.empty()) return fail(0, "в файле нет ни одного уровня");
    result.Ok = true;
    return result;
}

} // namespace qv
