#include "recording/marker_buttons.h"

#include "base/round_half_even.h"

namespace qv {

MarkerRowLayout MarkerButtonsLayout(int outerWidth) {
    MarkerRowLayout layout;
    const long long v = outerWidth - 5 > 0 ? outerWidth - 5 : 0;
    for (int n = 1; n <= 5; ++n) layout.lefts[n - 1] = int(RoundHalfEven((n - 1) * v, 5));
    layout.width = int(RoundHalfEven(100 * v, 505)); // V / 5.05
    return layout;
}

} // namespace qv
