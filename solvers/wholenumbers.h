// Conversions of computed values to the program's 32-bit integers, defined for every double.
#pragma once

#include <cmath>
#include <cstdint>

namespace tarvenix {

// The nearest 32-bit integer, a value exactly halfway going to the even neighbour. A
// computed value need not be a number in range (a pasted "nan" or "1e30", a sight setting
// of a runaway angle), so: not a number gives 0, and values beyond the 32-bit range,
// infinities included, saturate at its ends. The result of the rounding does not depend
// on the floating-point environment.
inline std::int32_t nearestInt32(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double lowest = -2147483648.0;
    constexpr double highest = 2147483647.0;
    if (value <= lowest)
        return INT32_MIN;
    if (value >= highest)
        return INT32_MAX;
    // Inside this range floor and the difference below are exact.
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<std::int32_t>(whole);
}

// The low 32 bits of a parsed integer, as the 32-bit fields of the parameter set keep it.
inline std::int32_t low32Bits(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace tarvenix
