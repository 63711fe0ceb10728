// Conversions between numbers and texts. The decimal point is always "." and nothing
// here depends on the system locale; no function keeps state, so any thread may call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvenix {

// Field texts.

// "+Infinity", "-Infinity", "NaN", else the value widened to double in fixed notation
// with `decimals` digits (clamped to 0..512), correctly rounded from its exact binary
// value; -0 is written as 0.
std::string formatDecimals(float value, int decimals);

// Decimal digits, "-" before negatives.
std::string formatInteger(std::int64_t value);

// "+Infinity", "-Infinity", "NaN" (any case, whole text) give those values; otherwise the
// longest prefix of: white space, optional sign, digits with at most one ".", optional
// exponent. Read as double, narrowed to float. No number gives 0.
float parseFloat(std::string_view text);

// Blanks and tabs, one optional sign, then "$" hex digits, "%" binary digits or
// decimal digits. Wraps modulo 2^64; no digits give 0.
std::int64_t parseInteger(std::string_view text);

// The low 32 bits of a parsed integer, as the program's 32-bit values keep it.
constexpr std::int32_t low32Bits(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Every occurrence of `find`, left to right without overlap. An empty `find` changes nothing.
std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// Nearest whole number, halves away from zero: floor(x + 0.5) for x > 0, else ceil(x - 0.5).
float roundHalfAway(float value);

// Settings-file value texts, as the C library's conversions give them in the C locale.

// "%.64g": with glibc the exact decimal expansion of the double.
std::string formatGeneral64(double value);

// "%f" with `decimals` digits (six for the settings file).
std::string formatFixed(double value, int decimals = 6);

// atof: leading white space, sign, decimal or hexadecimal number, "inf", "infinity",
// "nan" in any case; the rest ignored; nothing readable gives 0.
double parseCDouble(std::string_view text);

// atoi, without the undefined behaviour: leading white space, sign, decimal digits,
// wrapping modulo 2^64.
std::int64_t parseCInteger(std::string_view text);

}  // namespace tarvenix
