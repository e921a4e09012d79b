// Reference arithmetic for the decoding tests: reduced fractions parsed from decimal literals,
// and a rounding that picks the nearest multiple of 10^-k by comparing fractions. It shares no
// code with the program's digit-string rounding.
#pragma once

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <string>

namespace qv::test {

struct Fraction {
    long long num = 0;
    long long den = 1;

    Fraction() = default;
    Fraction(long long n, long long d = 1) : num(n), den(d) {
        if (den == 0) throw std::invalid_argument("zero denominator");
        if (den < 0) num = -num, den = -den;
        const long long g = std::gcd(num < 0 ? -num : num, den);
        if (g > 1) num /= g, den /= g;
    }
    // "0.47", "-30", "9.8"
    static Fraction Decimal(const std::string& text) {
        long long num = 0, den = 1;
        bool afterPoint = false, negative = false;
        for (char c : text) {
            if (c == '-')
                negative = true;
            else if (c == '.')
                afterPoint = true;
            else {
                num = num * 10 + (c - '0');
                if (afterPoint) den *= 10;
            }
        }
        return {negative ? -num : num, den};
    }
    friend Fraction operator+(Fraction a, Fraction b) {
        return {a.num * b.den + b.num * a.den, a.den * b.den};
    }
    friend Fraction operator-(Fraction a, Fraction b) {
        return {a.num * b.den - b.num * a.den, a.den * b.den};
    }
    friend Fraction operator*(Fraction a, Fraction b) { return {a.num * b.num, a.den * b.den}; }
    friend Fraction operator/(Fraction a, Fraction b) { return {a.num * b.den, a.den * b.num}; }
    friend bool operator<(Fraction a, Fraction b) { return a.num * b.den < b.num * a.den; }
    friend bool operator>=(Fraction a, Fraction b) { return !(a < b); }
};

inline long long PowerOfTen(int k) {
    long long p = 1;
    while (k-- > 0) p *= 10;
    return p;
}

inline Fraction Abs(Fraction v) {
    return v.num < 0 ? Fraction(-v.num, v.den) : v;
}

// Rounds |v| to the nearest multiple of 10^-k (halves up), k may be negative.
inline long long RoundedUnits(Fraction magnitude, int k) {
    const Fraction scaled =
        k >= 0 ? magnitude * Fraction(PowerOfTen(k)) : magnitude / Fraction(PowerOfTen(-k));
    long long whole = scaled.num / scaled.den;
    if (scaled - Fraction(whole) >= Fraction(1, 2)) ++whole;
    return whole;
}

// The expected fixed-point text: the coarser of P significant digits and D decimals.
inline std::string ReferenceFixed(Fraction v, int P, int D, const std::string& separator) {
    const Fraction magnitude = Abs(v);
    // E: the smallest exponent with |v| < 10^E.
    int E = -D - 1;
    if (magnitude.num != 0)
        while (!(magnitude < (E >= 0 ? Fraction(PowerOfTen(E)) : Fraction(1, PowerOfTen(-E))))) ++E;
    const int k = std::min(D, P - E);
    if (k < 0) throw std::invalid_argument("integer part longer than P digits");
    const long long units = RoundedUnits(magnitude, k);
    const long long scale = PowerOfTen(k);
    std::string text = (v.num < 0 && units != 0) ? "-" : "";
    text += std::to_string(units / scale);
    if (D > 0) {
        std::string fraction = k > 0 ? std::to_string(units % scale) : std::string();
        fraction.insert(0, static_cast<std::size_t>(k) - fraction.size(), '0');
        text += separator + fraction + std::string(static_cast<std::size_t>(D - k), '0');
    }
    return text;
}

} // namespace qv::test
