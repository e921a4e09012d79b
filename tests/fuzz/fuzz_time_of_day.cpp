// The time-of-day line of a recording file: any text either parses to a time within one day
// that prints and parses back to itself, or is refused.
#include "fuzz_check.h"
#include "recording/frame_time.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = qv::ParseTimeOfDay(text);
    if (!parsed) return 0;
    QV_FUZZ_CHECK(*parsed >= 0.0 && *parsed < 1.0);
    const std::string printed = qv::TimeOfDayText(*parsed);
    const auto again = qv::ParseTimeOfDay(printed);
    QV_FUZZ_CHECK(again && *again == *parsed);
    QV_FUZZ_CHECK(qv::TimeOfDayText(*again) == printed);
    return 0;
}
