// Conversions of computed values to the program's 32-bit integers, defined for every double.
#pragma once

#include <cstdint>

#include "platform/conversions.h"

namespace tarvenix {

// The nearest 32-bit integer, a value exactly halfway going to the even neighbour. A
// computed value need not be a number in range (a pasted "nan" or "1e30", a sight setting
// of a runaway angle), so: not a number gives 0, and values beyond the 32-bit range,
// infinities included, saturate at its ends. The result of the rounding does not depend
// on the floating-point environment.
inline std::int32_t nearestInt32(double value) {
    return nearestInt(value, 0);
}

}  // namespace tarvenix
