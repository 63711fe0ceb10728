// Fuzz target for parseInteger: any text gives a number that formatInteger writes back,
// leading blanks and tabs and trailing junk change nothing, and a "-" negates modulo 2^64.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/numbertext.h"
#include "tests/fuzz/fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tarvenix::parseInteger;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::int64_t value = parseInteger(text);

    FUZZ_CHECK(parseInteger(tarvenix::formatInteger(value)) == value);
    FUZZ_CHECK(parseInteger(text + "#") == value);
    FUZZ_CHECK(parseInteger(" \t " + text) == value);

    const std::size_t start = text.find_first_not_of(" \t");
    const bool hasSign = start != std::string::npos && (text[start] == '+' || text[start] == '-');
    if (!hasSign) {
        const std::string unblanked = start == std::string::npos ? "" : text.substr(start);
        const auto negated = static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(value));
        FUZZ_CHECK(parseInteger("-" + unblanked) == negated);
    }
    return 0;
}
