#include "recording/marker_press.h"

#include <charconv>
#include <climits>

namespace qv {

std::optional<int> MarkerFrameNumber(const std::string& caption) {
    const char* first = caption.data();
    const char* last = first + caption.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first == last) return std::nullopt;
    for (const char* c = first; c != last; ++c)
        if (*c < '0' || *c > '9') return std::nullopt;
    long long value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range || value > INT_MAX)
        value = INT_MAX;
    else if (end != last)
        return std::nullopt;
    return int(negative ? -value : value);
}

MarkerPress PressMarker(MouseKey key, const std::string& caption, int framePosition) {
    MarkerPress press;
    if (key != MouseKey::Left) {
        if (key == MouseKey::Right) press.newCaption = "0";
        return press;
    }
    const std::optional<int> frame = MarkerFrameNumber(caption);
    press.captionWasInvalid = !frame.has_value();
    if (!frame || *frame == 0)
        press.newCaption = std::to_string(framePosition);
    else
        press.jumpTo = *frame;
    return press;
}

} // namespace qv
