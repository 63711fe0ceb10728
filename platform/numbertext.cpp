#include "platform/numbertext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tarvenix {
namespace {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// White space as the C library's isspace knows it in the C locale.
bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Takes one optional "+" or "-" at `i`; true for "-".
bool readSign(std::string_view text, std::size_t& i) {
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        return text[i++] == '-';
    }
    return false;
}

// Length of the digits, optional ".", digits and optional exponent starting at `pos`;
// 0 when there is no digit before the exponent.
std::size_t decimalNumberLength(std::string_view s, std::size_t pos) {
    std::size_t i = pos;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i - pos;
}

// Reads a decimal number (no sign) that decimalNumberLength has measured, correctly
// rounded to double. from_chars accepts neither a leading "." with nothing before it in
// every library version nor "1." consistently, so the text is normalised first.
double readDecimal(std::string_view number) {
    std::string text;
    text.reserve(number.size() + 2);
    if (!number.empty() && number.front() == '.')
        text.push_back('0');
    text.append(number);
    double value = 0.0;
    auto [ptr, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Overflow gives infinity and underflow zero, as strtod does; the sign is added
        // by the caller.
        std::size_t e = text.find_first_of("eE");
        std::string_view mantissa(text.data(), e == std::string::npos ? text.size() : e);
        bool nonZero = mantissa.find_first_of("123456789") != std::string_view::npos;
        if (!nonZero)
            return 0.0;
        // Decide the direction by the decimal exponent of the first significant digit.
        long long exponent = 0;
        if (e != std::string::npos) {
            std::string_view ex(text.data() + e + 1, text.size() - e - 1);
            bool negative = !ex.empty() && ex.front() == '-';
            if (!ex.empty() && (ex.front() == '+' || ex.front() == '-'))
                ex.remove_prefix(1);
            for (char c : ex) {
                exponent = std::min<long long>(exponent * 10 + (c - '0'), 1'000'000'000LL);
            }
            if (negative)
                exponent = -exponent;
        }
        std::size_t point = mantissa.find('.');
        std::size_t intDigits = point == std::string_view::npos ? mantissa.size() : point;
        std::size_t first = mantissa.find_first_of("123456789");
        long long magnitude = first < intDigits ? static_cast<long long>(intDigits - first)
                                                : -static_cast<long long>(first - intDigits - 1);
        return exponent + magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    (void)ptr;
    return value;
}

std::string toCharsFixed(double value, int precision) {
    // The largest double has 309 integer digits; 512 decimals at most.
    std::array<char, 1024> buffer;
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, precision);
    if (ec != std::errc())
        return {};
    return std::string(buffer.data(), end);
}

std::string specialName(double value) {
    if (std::isnan(value))
        return "NaN";
    return value > 0 ? "+Infinity" : "-Infinity";
}

}  // namespace

std::string formatDecimals(float value, int decimals) {
    if (!std::isfinite(value))
        return specialName(value);
    decimals = std::clamp(decimals, 0, 512);
    if (value == 0.0f)
        value = 0.0f;  // -0 is shown as 0
    return toCharsFixed(static_cast<double>(value), decimals);
}

std::string formatInteger(std::int64_t value) {
    std::array<char, 24> buffer;
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)ec;
    return std::string(buffer.data(), end);
}

float parseFloat(std::string_view text) {
    if (equalsIgnoringAsciiCase(text, "+Infinity"))
        return std::numeric_limits<float>::infinity();
    if (equalsIgnoringAsciiCase(text, "-Infinity"))
        return -std::numeric_limits<float>::infinity();
    if (equalsIgnoringAsciiCase(text, "NaN"))
        return std::numeric_limits<float>::quiet_NaN();
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    const bool negative = readSign(text, i);
    std::size_t length = decimalNumberLength(text, i);
    if (length == 0)
        return 0.0f;
    double value = readDecimal(text.substr(i, length));
    return static_cast<float>(negative ? -value : value);
}

std::int64_t parseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const bool negative = readSign(text, i);
    // Unsigned arithmetic wraps modulo 2^64, which is the documented overflow behaviour.
    std::uint64_t value = 0;
    if (i < text.size() && text[i] == '$') {
        for (++i; i < text.size(); ++i) {
            char c = text[i];
            unsigned digit;
            if (isDigit(c))
                digit = static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                digit = static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                digit = static_cast<unsigned>(c - 'A' + 10);
            else
                break;
            value = value * 16u + digit;
        }
    } else if (i < text.size() && text[i] == '%') {
        for (++i; i < text.size() && (text[i] == '0' || text[i] == '1'); ++i) {
            value = value * 2u + static_cast<unsigned>(text[i] - '0');
        }
    } else {
        for (; i < text.size() && isDigit(text[i]); ++i) {
            value = value * 10u + static_cast<unsigned>(text[i] - '0');
        }
    }
    if (negative)
        value = 0u - value;
    return static_cast<std::int64_t>(value);
}

std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
    if (find.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        std::size_t hit = text.find(find, pos);
        if (hit == std::string_view::npos)
            break;
        result.append(text.substr(pos, hit - pos));
        result.append(replacement);
        pos = hit + find.size();
    }
    result.append(text.substr(pos));
    return result;
}

float roundHalfAway(float value) {
    double x = static_cast<double>(value);
    return static_cast<float>(x > 0 ? std::floor(x + 0.5) : std::ceil(x - 0.5));
}

std::string formatGeneral64(double value) {
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    // The exact value of a double has at most 767 significant digits; "%.64g" asks for 64.
    std::array<char, 128> buffer;
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::general, 64);
    if (ec != std::errc())
        return {};
    return std::string(buffer.data(), end);
}

std::string formatFixed(double value, int decimals) {
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    return toCharsFixed(value, std::clamp(decimals, 0, 512));
}

double parseCDouble(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    const bool negative = readSign(text, i);
    std::string_view rest = text.substr(i);
    auto startsWithWord = [&](std::string_view word) {
        return rest.size() >= word.size() &&
               equalsIgnoringAsciiCase(rest.substr(0, word.size()), word);
    };
    double value = 0.0;
    if (startsWithWord("inf")) {
        value = std::numeric_limits<double>::infinity();
    } else if (startsWithWord("nan")) {
        value = std::numeric_limits<double>::quiet_NaN();
    } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        std::string_view hex = rest.substr(2);
        auto [ptr, ec] =
            std::from_chars(hex.data(), hex.data() + hex.size(), value, std::chars_format::hex);
        if (ec == std::errc::invalid_argument)
            value = 0.0;  // "0x" alone reads as 0
        else if (ec == std::errc::result_out_of_range) {
            // The sign of the binary exponent tells overflow from underflow.
            std::size_t p = hex.find_first_of("pP");
            bool tiny = p != std::string_view::npos && p + 1 < hex.size() && hex[p + 1] == '-';
            value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        }
        (void)ptr;
    } else {
        std::size_t length = decimalNumberLength(text, i);
        if (length > 0)
            value = readDecimal(text.substr(i, length));
    }
    return negative ? -value : value;
}

std::int64_t parseCInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    const bool negative = readSign(text, i);
    std::uint64_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10u + static_cast<unsigned>(text[i] - '0');
    }
    if (negative)
        value = 0u - value;
    return static_cast<std::int64_t>(value);
}

}  // namespace tarvenix
