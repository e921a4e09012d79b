// Reference values of the ten parameters, each written the way it is defined: decimal
// constants as fractions, operations in the defined order.
#pragma once

#include "recording/display_settings.h"

#include "reference_decimal.h"

#include <optional>
#include <string>

namespace qv::test {

inline Fraction Dec(const char* text) {
    return Fraction::Decimal(text);
}

// The coolant temperature of t, each piece as it is written down.
inline Fraction ReferenceCoolant(int t) {
    if (t < 15) return Fraction(2 * (t - 5) - 60);
    if (t < 39) return Fraction(t - 15) * Dec("0.83") - Fraction(40);
    if (t < 82) return Fraction(t - 39) * Dec("0.47") - Fraction(20);
    if (t < 135) return Fraction(t - 82) * Dec("0.38");
    if (t < 180) return Fraction(t - 135) * Dec("0.44") + Fraction(20);
    if (t < 210) return Fraction(t - 180) * Dec("0.67") + Fraction(40);
    if (t < 228) return Fraction(t - 210) * Dec("1.11") + Fraction(60);
    if (t < 237) return Fraction(t - 228) * Dec("2.11") + Fraction(80);
    if (t < 243) return Fraction(t - 237) * Dec("3.83") + Fraction(99);
    return Fraction(t - 243) * Dec("9.8") + Fraction(122);
}

struct Expected {
    Fraction value;
    int P, D;
    std::string unit;
};

// The value, format and unit of parameter p for byte x, or nothing for an unlisted setting.
inline std::optional<Expected> Reference(int p, int x, const DisplaySettings& s) {
    const Fraction b(x);
    switch (p) {
    case 1:
        return Expected{b * Dec("0.125"), 4, 3, " мс."};
    case 2:
        return Expected{b * Dec("0.47") - Fraction(30), 3, 1, " град."};
    case 3:
        if (int(s.KHH) == 1) return Expected{b / Fraction(255) * Fraction(100), 3, 1, " %"};
        if (int(s.KHH) == 2) return Expected{b / Fraction(125) * Fraction(100), 3, 1, " %"};
        if (int(s.KHH) == 3) return Expected{b, 3, 0, " шаг"};
        return std::nullopt;
    case 4:
        return Expected{Fraction(x * 25), 4, 0, " об/м"};
    case 5:
        if (int(s.Vozduh) == 1) return Expected{b / Dec("1.535"), 3, 1, " kPa"};
        if (int(s.Vozduh) == 2) return Expected{b * Dec("4.886"), 4, 0, " мм.рт.ст."};
        if (int(s.Vozduh) == 3) return Expected{b * Dec("0.256"), 4, 1, " мс"};
        if (int(s.Vozduh) == 4) return Expected{Fraction(x * 2), 3, 1, " гр/C"};
        if (int(s.Vozduh) == 5) return Expected{b / Fraction(255) * Fraction(5), 3, 2, " В"};
        return std::nullopt;
    case 6:
        return Expected{ReferenceCoolant(int(s.Temperature) == 1 ? x : 255 - x), 3, 1, " град.С"};
    case 7:
        return Expected{b / Fraction(2), 3, 1, " град."};
    case 8:
        return Expected{b, 3, 0, " км/ч"};
    case 9:
    case 10:
        return Expected{Fraction(x * 5) / Fraction(256), 3, 2, "В"};
    }
    return std::nullopt;
}

} // namespace qv::test
