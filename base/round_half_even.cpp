#include "base/round_half_even.h"

namespace qv {

long long RoundHalfEven(long long num, long long den) {
    const bool negative = num < 0;
    const long long a = negative ? -num : num;
    long long q = a / den;
    const long long twiceRest = 2 * (a % den);
    if (twiceRest > den || (twiceRest == den && q % 2 != 0)) ++q;
    return negative ? -q : q;
}

} // namespace qv
