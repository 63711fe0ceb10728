// Fuzz target for parseFloat: any text gives a number, the rest after the number is
// ignored, and every value it gives survives formatDecimals with all its digits.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/numbertext.h"
#include "tests/fuzz/fuzzcheck.h"

namespace {

bool sameFloat(float a, float b) {
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const float value = tarvenix::parseFloat(text);

    // Only whole texts spell the special values, and they hold no digit; for every
    // other text a character that cannot continue a number changes nothing.
    if (text.find_first_of("0123456789") != std::string::npos) {
        FUZZ_CHECK(sameFloat(tarvenix::parseFloat(text + "#"), value));
    }

    // 150 decimals write every float exactly (the smallest subnormal needs 149); -0 is
    // written as 0.
    const float expected = value == 0.0f ? 0.0f : value;
    FUZZ_CHECK(sameFloat(tarvenix::parseFloat(tarvenix::formatDecimals(value, 150)), expected));
    return 0;
}
