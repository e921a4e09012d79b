#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The graph window's span list for a recording of `length` frames: "5", then each of 10, 20,
// 50, 100, 200, 500, 1000, 2000 that is at most the length, then the length itself when it is
// above 5 (so a length equal to a fixed step stands twice).
std::vector<std::string> SpanListEntries(int length);

// ceil(value / 2) for value >= 0: the middle of a span.
int HalfUp(int value);

// The large step of the span scroll bar: ceil(span / 5).
int SpanLargeStep(int span);

// The span typed into or picked from the span list: a whole number clamped to 2..length (fewer
// than two frames leave no scale to draw; length is at least 2). Nothing for text that is not a
// whole number (the caller reports it).
std::optional<int> ParseSpan(std::string_view text, int length);

// What the span list says of a text that is not a whole number: "«abc» не годится: впишите число
// кадров, от 2 до 1000", or for an empty text only what to type.
std::string SpanRejectedText(std::string_view text, int length);

// The first frame of a span of `span` frames that puts frame `frame` ceil(span / 2) frames after
// its start, pushed back inside 1..length where the recording ends.
int CentredSpanStart(int frame, int span, int length);

} // namespace qv
