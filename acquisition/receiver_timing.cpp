#include "acquisition/receiver_timing.h"

#include <cmath>

namespace qv {

ReceiverIntervals ReceiverIntervals::ForFrequency(std::int64_t ticksPerSecond) {
    const double bit = static_cast<double>(ticksPerSecond) * BitPeriodSeconds;
    const auto up = [bit](double multiple) {
        return static_cast<std::int64_t>(std::ceil(bit * multiple));
    };
    // nearbyint rounds to nearest with halves to even in the default rounding mode.
    const auto nearest = [bit](double multiple) {
        return static_cast<std::int64_t>(std::nearbyint(bit * multiple));
    };
    ReceiverIntervals intervals;
    intervals.Gap = up(13);
    for (int k = 1; k <= 12; ++k) intervals.HeaderSample[k - 1] = up(k + 0.5);
    intervals.HeaderLastCell = up(13.5);
    for (int k = 1; k <= 8; ++k) intervals.DataSample[k - 1] = up(k + 0.5);
    intervals.StartBit = up(0.5);
    intervals.StopBit = up(9.5);
    intervals.ByteEnd = nearest(10);
    intervals.Tail = nearest(11.5);
    return intervals;
}

} // namespace qv
