#include "recording/graph_span.h"

#include "base/parse_integer.h"

#include <algorithm>

namespace qv {

std::vector<std::string> SpanListEntries(int length) {
    std::vector<std::string> entries{"5"};
    for (const int step : {10, 20, 50, 100, 200, 500, 1000, 2000})
        if (length > step - 1) entries.push_back(std::to_string(step));
    if (length > 5) entries.push_back(std::to_string(length));
    return entries;
}

int HalfUp(int value) {
    return (value + 1) / 2;
}

int SpanLargeStep(int span) {
    return (span + 4) / 5;
}

std::optional<int> ParseSpan(std::string_view text, int length) {
    const auto value = ParseInteger(text);
    if (!value) return std::nullopt;
    return std::clamp(*value, 2, std::max(length, 2));
}

std::string SpanRejectedText(std::string_view text, int length) {
    const std::string range = "число кадров, от 2 до " + std::to_string(std::max(length, 2));
    if (text.empty()) return "Впишите " + range;
    return "«" + std::string(text) + "» не годится: впишите " + range;
}

int CentredSpanStart(int frame, int span, int length) {
    int start = frame - HalfUp(span);
    if (start < 1) start = 1;
    if (start + span - 1 > length) start = length - span + 1;
    return start;
}

} // namespace qv
