// Number texts: the edge cases in one table, run under the C locale and under a German one
// whose decimal separator is ",": the texts must not change.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "platform/numbertext.h"

namespace tarvenix {
namespace {

constexpr float inf = std::numeric_limits<float>::infinity();
const float nan = std::numeric_limits<float>::quiet_NaN();

class NumberText : public testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, GetParam()), nullptr)
            << "locale " << GetParam() << " is missing (scripts/install-deps generates it)";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

INSTANTIATE_TEST_SUITE_P(Locales, NumberText, testing::Values("C", "de_DE.UTF-8"));

TEST_P(NumberText, FormatDecimals) {
    struct Case {
        float value;
        int decimals;
        const char* text;
    } cases[] = {
        {3.05f, 2, "3.05"},
        {9.80665f, 4, "9.8067"},
        {-0.2f, 2, "-0.20"},
        {-0.0f, 2, "0.00"},
        {0.0f, 0, "0"},
        {65.0f, 2, "65.00"},
        {6.5f, 2, "6.50"},
        {18.5f, 2, "18.50"},
        {1.21f, 2, "1.21"},
        {inf, 2, "+Infinity"},
        {-inf, 2, "-Infinity"},
        {nan, 2, "NaN"},
        {-nan, 2, "NaN"},
        {1.5f, -3, "2"},
        {123456789.0f, 2, "123456792.00"},
        {3.4028235e38f, 0, "340282346638528859811704183484516925440"},
        {0.1f, 20, "0.10000000149011611938"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatDecimals(c.value, c.decimals), c.text) << c.value << " " << c.decimals;
    }
    // 512 decimals at most: the digits are exact, so 1/2^149 shows its first 512.
    const std::string tiny = formatDecimals(std::numeric_limits<float>::denorm_min(), 1000);
    EXPECT_EQ(tiny.size(), 2u + 512u);
    EXPECT_EQ(tiny.substr(0, 49), "0.00000000000000000000000000000000000000000000140");
}

// Against the C library's own "%f" in the C locale over many values and every decimal count
// the program uses.
TEST(NumberTextReference, FormatDecimalsGivesTheDigitsOfPrintf) {
    std::setlocale(LC_ALL, "C");
    std::mt19937 random(42);
    std::uniform_int_distribution<std::uint32_t> bits;
    char buffer[700];
    for (int i = 0; i < 20000; ++i) {
        std::uint32_t b = bits(random);
        float value;
        std::memcpy(&value, &b, sizeof value);
        if (!std::isfinite(value) || value == 0.0f)
            continue;
        for (int decimals : {0, 2, 4, 6}) {
            std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
            ASSERT_EQ(formatDecimals(value, decimals), buffer) << value;
        }
    }
}

TEST_P(NumberText, FormatInteger) {
    EXPECT_EQ(formatInteger(0), "0");
    EXPECT_EQ(formatInteger(-3), "-3");
    EXPECT_EQ(formatInteger(1000000), "1000000");
    EXPECT_EQ(formatInteger(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(formatInteger(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
}

TEST_P(NumberText, ParseFloat) {
    struct Case {
        const char* text;
        float value;
    } cases[] = {
        {"3,05", 3.0f},
        {" 2.5e1x", 25.0f},
        {"abc", 0.0f},
        {"", 0.0f},
        {"3.05", 3.05f},
        {"1.5", 1.5f},
        {"+Infinity", inf},
        {"-INFINITY", -inf},
        {"infinity", 0},
        {"inf", 0.0f},
        {"1e400", inf},
        {"-1e400", -inf},
        {".5", 0.5f},
        {"5.", 5.0f},
        {"-.5e-1", -0.05f},
        {"1e", 1.0f},
        {"1e+", 1.0f},
        {"\t -3", -3.0f},
        {"+7", 7.0f},
        {"0x10", 0.0f},
        {"1.2.3", 1.2f},
        {"1e-50", 0.0f},
        {"-", 0.0f},
        {".", 0.0f},
        {"99999999999999999999", 1e20f},
        {"12.5", 12.5f},
        {"-3", -3.0f},
        {"0.1", 0.1f},
        {"1e-400", 0.0f},
        {"16777217", 16777216.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseFloat(c.text), c.value) << '"' << c.text << '"';
    }
    EXPECT_TRUE(std::isnan(parseFloat("nan")));
    EXPECT_TRUE(std::isnan(parseFloat("NaN")));
    EXPECT_EQ(parseFloat(std::string(5000, '7')), inf);
    EXPECT_TRUE(std::signbit(parseFloat("-0")));
}

TEST_P(NumberText, ParseInteger) {
    struct Case {
        const char* text;
        std::int64_t value;
    } cases[] = {
        {" -12abc", -12},
        {"$ff", 255},
        {"$FF", 255},
        {"%101", 5},
        {"10.5", 10},
        {"-$10", -16},
        {"$ffffffff", 4294967295},
        {"$FFFFFFFFFFFFFFFF", -1},
        {"18446744073709551617", 1},
        {"99999999999999999999", static_cast<std::int64_t>(7766279631452241919ULL)},
        {"", 0},
        {"abc", 0},
        {"+5", 5},
        {"\t7", 7},
        {"$", 0},
        {"%2", 0},
        {"--5", 0},
        {"\n5", 0},
        {"1e5", 1},
        {"-0", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseInteger(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST_P(NumberText, ReplaceAllAndRoundHalfAway) {
    EXPECT_EQ(replaceAll("1,5", ",", "."), "1.5");
    EXPECT_EQ(replaceAll("a,,b,", ",", "."), "a..b.");
    EXPECT_EQ(replaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaceAll("x", "", "y"), "x");
    EXPECT_EQ(replaceAll("", ",", "."), "");
    EXPECT_EQ(replaceAll("Abc", "a", "x"), "Abc");

    EXPECT_EQ(roundHalfAway(40.5f), 41.0f);
    EXPECT_EQ(roundHalfAway(-40.5f), -41.0f);
    EXPECT_EQ(roundHalfAway(0.4f), 0.0f);
    EXPECT_EQ(roundHalfAway(-0.4f), 0.0f);
    EXPECT_EQ(roundHalfAway(2.5f), 3.0f);
    EXPECT_EQ(roundHalfAway(40.4f), 40.0f);
    EXPECT_EQ(roundHalfAway(40.6f), 41.0f);
    EXPECT_EQ(roundHalfAway(inf), inf);
    EXPECT_TRUE(std::isnan(roundHalfAway(nan)));
}

// Settings-file texts: against the C library's "%.64g", "%f", atof and atoi in the C locale.
TEST_P(NumberText, SettingsValueTexts) {
    EXPECT_EQ(formatGeneral64(3.05), "3.04999999999999982236431605997495353221893310546875");
    EXPECT_EQ(formatGeneral64(6.5), "6.5");
    EXPECT_EQ(formatFixed(65.0), "65.000000");
    EXPECT_EQ(formatFixed(static_cast<double>(-0.2f)), "-0.200000");
    EXPECT_EQ(formatFixed(4e-7), "0.000000");

    EXPECT_EQ(parseCDouble("90 m"), 90.0);
    EXPECT_EQ(parseCDouble("3,05"), 3.0);
    EXPECT_EQ(parseCDouble("abc"), 0.0);
    EXPECT_EQ(parseCDouble("+infinity"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseCDouble(" 3.05"), 3.05);
    EXPECT_EQ(parseCInteger("90 m"), 90);
    EXPECT_EQ(parseCInteger(" -12"), -12);
    EXPECT_EQ(parseCInteger("4294967297"), 4294967297);
}

TEST(NumberTextReference, SettingsTextsMatchTheCLibrary) {
    std::setlocale(LC_ALL, "C");
    const double values[] = {3.05,
                             1.2,
                             0.00325,
                             0.0185,
                             9.80665,
                             0.0001,
                             6.5,
                             1e-5,
                             1e300,
                             -1e-300,
                             123456789012345678.0,
                             1e64,
                             1e63,
                             5e-324,
                             -0.0};
    char buffer[1200];
    for (double v : values) {
        std::snprintf(buffer, sizeof buffer, "%.64g", v);
        EXPECT_EQ(formatGeneral64(v), buffer);
        std::snprintf(buffer, sizeof buffer, "%f", v);
        EXPECT_EQ(formatFixed(v), buffer);
    }
    const char* texts[] = {"90 m", "3,05",     "abc",          "+infinity", " 3",   "0x1p3",
                           "0x",   "1e400",    "-1e400",       "1e-400",    "-nan", "  .5e1",
                           "-.e1", "1e+",      "\n\v\f\r\t 7", "0x1.8p1zz", "nanx", "INF",
                           "+-1",  "4.9e-324", "0x1p-2000"};
    for (const char* t : texts) {
        const double expected = std::strtod(t, nullptr);
        const double actual = parseCDouble(t);
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(actual)) << t;
        } else {
            EXPECT_EQ(actual, expected) << t;
        }
        EXPECT_EQ(static_cast<std::int32_t>(parseCInteger(t)), std::atoi(t)) << t;
    }
}

}  // namespace
}  // namespace tarvenix
