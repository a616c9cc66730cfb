// round_half_even: the one way the game turns a real number into an integer (ties go to the even
// neighbour). Used by every rule that rounds; truncation elsewhere is a plain integer division.
#pragma once
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace dravok {

// Rounds half to even under the default rounding mode; results beyond the int range are clamped
// and NaN gives 0, so a bad factor can never turn into undefined behaviour.
inline int round_half_even(double value) {
    if (std::isnan(value)) return 0;
    const double r = std::nearbyint(value);
    if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(r);
}

} // namespace dravok
