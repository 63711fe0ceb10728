// Narrowing of computed values to single precision, pixel positions and counts, defined
// for every double: not a number, infinities and out-of-range values included.
#pragma once

#include <cstdint>
#include <limits>

namespace tarvenix {

// The double rounded to single precision, to nearest with ties to even; magnitudes that
// round beyond the single-precision range give infinities, as IEEE arithmetic has it,
// without relying on the out-of-range conversion that C++ leaves undefined.
constexpr float toSingle(double value) {
    // Halfway between FLT_MAX and 2^128: from here on the rounding goes to infinity.
    constexpr double overflow = 0x1.ffffffp127;
    if (value >= overflow)
        return std::numeric_limits<float>::infinity();
    if (value <= -overflow)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// The nearest 32-bit integer, a value exactly halfway going to the even neighbour (2.5
// gives 2, 3.5 gives 4), whatever the floating-point environment. Values beyond the 32-bit
// range, infinities included, saturate at its ends; not a number gives `ifNotANumber`,
// by default INT32_MIN, a position far outside every picture, so that nothing computed
// from a non-number lands on the canvas. No input converts out of range (UBSan's
// float-cast-overflow stays quiet).
constexpr std::int32_t nearestInt(
    double value, std::int32_t ifNotANumber = std::numeric_limits<std::int32_t>::min()) {
    if (!(value == value))
        return ifNotANumber;
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    // Inside this range the whole part and the difference below are exact.
    const double whole = static_cast<double>(static_cast<std::int64_t>(value));  // toward 0
    const double below = whole > value ? whole - 1.0 : whole;                    // floor
    const double fraction = value - below;
    const auto low = static_cast<std::int64_t>(below);
    const bool up = fraction > 0.5 || (fraction == 0.5 && (low & 1) != 0);
    return static_cast<std::int32_t>(up ? low + 1 : low);
}

}  // namespace tarvenix
