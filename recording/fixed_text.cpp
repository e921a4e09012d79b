// The fixed-point number format of every shown value.
//
// The value is reduced to the decimal digits of its magnitude (integer digits and enough
// fraction digits) and that digit string is rounded, so an exact decimal half always rounds
// away from zero.
#include "recording/decoding.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace qv {
namespace {

struct DecimalDigits {
    bool negative = false;
    std::string whole;    // integer digits, "0" for a magnitude below 1
    std::string fraction; // the first fraction digits, truncated (not rounded)
};

unsigned long long Magnitude(long long v) {
    return v < 0 ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
}

// Adds one unit in the last place of a decimal digit string.
void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Scientific form for a value whose integer part has more digits than P: P significant digits
// with trailing zeros dropped, then "E" and the exponent with at least D digits.
std::string GeneralText(bool negative, std::string significant, int exponent, int D,
                        const std::string& separator) {
    while (significant.size() > 1 && significant.back() == '0') significant.pop_back();
    std::string text = negative ? "-" : "";
    text += significant.substr(0, 1);
    if (significant.size() > 1) text += separator + significant.substr(1);
    std::string power = std::to_string(std::abs(exponent));
    if (static_cast<int>(power.size()) < D) power.insert(0, D - power.size(), '0');
    text += "E";
    if (exponent < 0) text += "-";
    return text + power;
}

std::string RoundDigits(const DecimalDigits& value, int P, int D, const std::string& separator) {
    // Exponent E of the first significant digit: the magnitude lies in [10^(E-1), 10^E).
    int exponent = 0;
    if (value.whole != "0") {
        exponent = static_cast<int>(value.whole.size());
    } else {
        const auto first = value.fraction.find_first_not_of('0');
        // A magnitude below 10^-(D+1) rounds to zero at D decimals whatever E is.
        exponent = first == std::string::npos ? -(D + 1) : -static_cast<int>(first);
    }
    // Decimals kept: the coarser of P significant digits and D decimals.
    const int decimals = std::min(D, P - exponent);
    const std::string all = value.whole + value.fraction;
    const int keep = static_cast<int>(value.whole.size()) + decimals;
    std::string rounded = all.substr(0, static_cast<std::size_t>(std::max(keep, 0)));
    const char next = keep >= 0 && keep < static_cast<int>(all.size()) ? all[keep] : '0';
    if (rounded.empty()) rounded = "0";
    if (next >= '5') IncrementDigits(rounded);
    // `rounded` is now the integer R of the result R * 10^-decimals.
    rounded.erase(0, std::min(rounded.find_first_not_of('0'), rounded.size() - 1));
    const bool negative = value.negative && rounded != "0";

    // An integer part longer than P digits (decimals < 0 implies one) has no fixed form.
    const int wholeDigits = static_cast<int>(rounded.size()) - decimals;
    if (decimals < 0 || wholeDigits > P)
        return GeneralText(negative, rounded, wholeDigits - 1, D, separator);

    std::string text = negative ? "-" : "";
    if (static_cast<int>(rounded.size()) <= decimals)
        rounded.insert(0, static_cast<std::size_t>(decimals + 1) - rounded.size(), '0');
    text += rounded.substr(0, rounded.size() - static_cast<std::size_t>(decimals));
    if (D > 0) {
        std::string fraction = rounded.substr(rounded.size() - static_cast<std::size_t>(decimals));
        fraction.append(static_cast<std::size_t>(D - decimals), '0');
        text += separator + fraction;
    }
    return text;
}

} // namespace

std::string FixedText(ExactValue value, int P, int D, const std::string& decimalSeparator) {
    if (value.den == 0) return {};
    P = std::max(P, 1);
    D = std::max(D, 0);
    DecimalDigits digits;
    digits.negative = (value.num < 0) != (value.den < 0);
    const unsigned long long a = Magnitude(value.num);
    const unsigned long long b = Magnitude(value.den);
    digits.whole = std::to_string(a / b);
    // Long division: D + 1 fraction digits are enough, as at most D are kept and the next one
    // decides the rounding (a first significant digit further out means a value that rounds
    // to zero at D decimals).
    unsigned long long remainder = a % b;
    for (int i = 0; i <= D; ++i) {
        // remainder < b, so remainder * 10 only overflows for denominators above 1.8e18.
        const unsigned long long scaled = remainder * 10;
        digits.fraction += static_cast<char>('0' + scaled / b);
        remainder = scaled % b;
    }
    return RoundDigits(digits, P, D, decimalSeparator);
}

} // namespace qv
