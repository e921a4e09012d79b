#include "recording/marker_layout.h"

#include <charconv>
#include <climits>
#include <cstdlib>

namespace qv {

long long RoundHalfEven(long long num, long long den) {
    const bool negative = num < 0;
    const long long a = negative ? -num : num;
    long long q = a / den;
    const long long twiceRest = 2 * (a % den);
    if (twiceRest > den || (twiceRest == den && q % 2 != 0)) ++q;
    return negative ? -q : q;
}

MarkerRowLayout MarkerButtonsLayout(int outerWidth) {
    MarkerRowLayout layout;
    const long long v = outerWidth - 5 > 0 ? outerWidth - 5 : 0;
    for (int n = 1; n <= 5; ++n) layout.lefts[n - 1] = int(RoundHalfEven((n - 1) * v, 5));
    layout.width = int(RoundHalfEven(100 * v, 505)); // V / 5.05
    return layout;
}

ExtraViewsLayout ExtraViewsFor(bool bytesView, bool samplesView) {
    ExtraViewsLayout layout;
    layout.bytesShown = bytesView;
    layout.samplesShown = samplesView;
    if (!bytesView && !samplesView) {
        layout.windowWidth = 265;
        layout.infoWidth = 259;
    } else if (!bytesView) {
        layout.windowWidth = 556;
        layout.infoWidth = 551;
        layout.sampleLefts = {256, 354, 452};
        layout.sampleButtonLefts = {269, 367, 465};
    } else if (!samplesView) {
        layout.windowWidth = 363;
        layout.infoWidth = 357;
    } else {
        layout.windowWidth = 656;
        layout.infoWidth = 651;
        layout.sampleLefts = {356, 454, 552};
        layout.sampleButtonLefts = {369, 467, 565};
    }
    return layout;
}

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
