// Conversions of computed values to 32-bit integers, for every double.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/numbertext.h"
#include "solvers/wholenumbers.h"

namespace tarvenix {
namespace {

TEST(WholeNumbers, NearestInt32TiesToEvenNaNToZeroSaturating) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        std::int32_t expected;
    } cases[] = {
        {30.5, 30},
        {31.5, 32},
        {-30.5, -30},
        {-31.5, -32},
        {30.4, 30},
        {30.6, 31},
        {-0.5, 0},
        {0.49999999999999994, 0},
        {2.5000000000000004, 3},
        {4503599627370495.5, INT32_MAX},
        {2147483646.5, 2147483646},
        {2147483647.4, INT32_MAX},
        {2147483647.5, INT32_MAX},
        {-2147483648.5, INT32_MIN},
        {-2147483647.5, -2147483648},
        {1e300, INT32_MAX},
        {-1e300, INT32_MIN},
        {inf, INT32_MAX},
        {-inf, INT32_MIN},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nearestInt32(c.value), c.expected) << c.value;
    }
}

TEST(WholeNumbers, Low32BitsWrap) {
    EXPECT_EQ(low32Bits(4294967326), 30);
    EXPECT_EQ(low32Bits(2147483648), INT32_MIN);
    EXPECT_EQ(low32Bits(-1), -1);
    EXPECT_EQ(low32Bits(INT64_MIN), 0);
}

}  // namespace
}  // namespace tarvenix
