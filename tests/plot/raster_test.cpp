// Pixel shapes: the exact pixel sets, clipping that matches the unclipped shape, any int
// coordinates, and the conversions of computed values to pixels.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/conversions.h"
#include "plot/raster.h"
#include "testsurface.h"

namespace tarvenix {
namespace {

using plottest::Picture;
constexpr Colour ink = colours::black;
constexpr Colour paper = colours::white;

TEST(PixelConversions, NearestIntRoundsHalfToEvenAndSaturates) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        std::int32_t expected;
    };
    const Case cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {0.5, 0},
        {-0.5, 0},
        {1.5, 2},
        {0.49999999999999994, 0},
        {-1.2, -1},
        {-1.7, -2},
        {112.66666412353516, 113},
        {2147483646.5, 2147483646},
        {2147483647.4, INT32_MAX},
        {-2147483647.5, INT32_MIN},
        {-2147483648.4, INT32_MIN},
        {4503599627370497.0, INT32_MAX},
        {1e300, INT32_MAX},
        {-1e300, INT32_MIN},
        {inf, INT32_MAX},
        {-inf, INT32_MIN},
        {nan, INT32_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nearestInt(c.value), c.expected) << c.value;
}

TEST(PixelConversions, ToSingleOverflowsToInfinityLikeIeee) {
    const float flMax = std::numeric_limits<float>::max();
    EXPECT_EQ(toSingle(0.1), 0.1f);
    EXPECT_EQ(toSingle(-0.2), -0.2f);
    EXPECT_EQ(toSingle(3.4028235e38), flMax);  // above FLT_MAX, below the halfway to 2^128
    EXPECT_EQ(toSingle(0x1.ffffffp127), std::numeric_limits<float>::infinity());
    EXPECT_EQ(toSingle(1e300), std::numeric_limits<float>::infinity());
    EXPECT_EQ(toSingle(-1e300), -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(toSingle(std::numeric_limits<double>::quiet_NaN())));
}

TEST(Raster, DiscsOfTheTwoPlotRadii) {
    Picture small(9, 9, 0, paper);
    raster::filledCircle(small.buffer, 4, 4, 2, ink);
    EXPECT_EQ(small.art(ink), (std::vector<std::string>{
                                  ".........",
                                  ".........",
                                  "...###...",
                                  "..#####..",
                                  "..#####..",
                                  "..#####..",
                                  "...###...",
                                  ".........",
                                  ".........",
                              }));
    Picture large(9, 9, 0, paper);
    raster::filledCircle(large.buffer, 4, 4, 3, ink);
    EXPECT_EQ(large.art(ink), (std::vector<std::string>{
                                  ".........",
                                  "...###...",
                                  "..#####..",
                                  ".#######.",
                                  ".#######.",
                                  ".#######.",
                                  "..#####..",
                                  "...###...",
                                  ".........",
                              }));
}

TEST(Raster, DiscPixelSetForEveryRadius) {
    for (int r = -1; r <= 40; ++r) {
        Picture p(85, 85, 0, paper);
        raster::filledCircle(p.buffer, 42, 42, r, ink);
        int across = 0;
        for (int y = 0; y < 85; ++y) {
            for (int x = 0; x < 85; ++x) {
                const long dx = x - 42;
                const long dy = y - 42;
                const bool inside = r >= 0 && dx * dx + dy * dy <= long{r} * r + r;
                ASSERT_EQ(p.is(x, y, ink), inside) << "r " << r << " at " << x << "," << y;
                across += y == 42 && inside;
            }
        }
        EXPECT_EQ(across, r < 0 ? 0 : 2 * r + 1);
    }
}

TEST(Raster, LineTiesGoTowardTheRightEndEitherWay) {
    for (bool reversed : {false, true}) {
        Picture p(5, 3, 0, paper);
        if (reversed) {
            raster::line(p.buffer, 4, 2, 0, 0, ink);
        } else {
            raster::line(p.buffer, 0, 0, 4, 2, ink);
        }
        EXPECT_EQ(p.art(ink), (std::vector<std::string>{"#....", ".##..", "...##"}));
    }
    Picture single(3, 3, 0, paper);
    raster::line(single.buffer, 1, 1, 1, 1, ink);
    EXPECT_EQ(single.art(ink), (std::vector<std::string>{"...", ".#.", "..."}));
}

// Every line: one pixel per step along the longer axis, each within half a pixel of the
// ideal line (a tie toward the end with the greater coordinate), both end points, and
// the same pixels drawn from either end.
TEST(Raster, LinesAreBresenhamLinesFromEitherEnd) {
    std::mt19937 random(4711);
    std::uniform_int_distribution<int> coordinate(0, 39);
    for (int n = 0; n < 400; ++n) {
        const int x1 = coordinate(random), y1 = coordinate(random);
        const int x2 = coordinate(random), y2 = coordinate(random);
        Picture forward(40, 40, 0, paper);
        Picture backward(40, 40, 0, paper);
        raster::line(forward.buffer, x1, y1, x2, y2, ink);
        raster::line(backward.buffer, x2, y2, x1, y1, ink);
        ASSERT_EQ(forward.storage, backward.storage) << x1 << "," << y1 << " " << x2 << "," << y2;
        ASSERT_TRUE(forward.is(x1, y1, ink) && forward.is(x2, y2, ink));

        const bool xMajor = std::abs(x2 - x1) >= std::abs(y2 - y1);
        // Major axis a, minor axis b, from the end with the smaller major coordinate.
        int a1 = xMajor ? x1 : y1, b1 = xMajor ? y1 : x1;
        int a2 = xMajor ? x2 : y2, b2 = xMajor ? y2 : x2;
        if (a2 < a1) {
            std::swap(a1, a2);
            std::swap(b1, b2);
        }
        int count = 0;
        for (int a = 0; a < 40; ++a) {
            for (int b = 0; b < 40; ++b) {
                if (!forward.is(xMajor ? a : b, xMajor ? b : a, ink))
                    continue;
                ++count;
                ASSERT_TRUE(a >= a1 && a <= a2);
                if (a2 == a1)
                    continue;
                // Twice the minor-axis distance to the ideal line, in units of 1/(a2-a1).
                const long offset = 2L * ((b - b1) * long{a2 - a1} - long{a - a1} * (b2 - b1));
                const long length = a2 - a1;
                const bool towardEnd = (b2 >= b1) ? offset > 0 : offset < 0;
                ASSERT_TRUE(std::labs(offset) < length ||
                            (std::labs(offset) == length && towardEnd))
                    << x1 << "," << y1 << " " << x2 << "," << y2 << " pixel " << a << "," << b;
            }
        }
        ASSERT_EQ(count, std::abs(a2 - a1) + 1);
    }
}

// A shape clipped to a small picture covers exactly the pixels that the same shape
// covers in a picture large enough to hold it whole.
TEST(Raster, ClippingKeepsThePixelsOfTheWholeShape) {
    constexpr int shift = 300;
    std::mt19937 random(99);
    std::uniform_int_distribution<int> coordinate(-250, 300);
    std::uniform_int_distribution<int> size(-20, 120);
    for (int n = 0; n < 300; ++n) {
        const int a = coordinate(random), b = coordinate(random);
        const int c = coordinate(random), d = coordinate(random);
        const int shape = n % 4;
        Picture clipped(60, 40, 3, paper);
        Picture whole(700, 700, 0, paper);
        auto draw = [&](const raster::PixelBuffer& buffer, int offset) {
            switch (shape) {
                case 0:
                    raster::line(buffer, a + offset, b + offset, c + offset, d + offset, ink);
                    break;
                case 1:
                    raster::lineBySize(buffer, a + offset, b + offset, c / 2, d / 2, ink);
                    break;
                case 2:
                    raster::filledCircle(buffer, a / 4 + offset, b / 4 + offset, std::abs(c) / 5,
                                         ink);
                    break;
                default:
                    raster::fillRect(buffer, a / 2 + offset, b / 2 + offset, c / 3, d / 3, ink);
            }
        };
        draw(clipped.buffer, 0);
        draw(whole.buffer, shift);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 60; ++x) {
                ASSERT_EQ(clipped.at(x, y), whole.at(x + shift, y + shift))
                    << "shape " << shape << " case " << n << " at " << x << "," << y;
            }
            for (int pad = 60; pad < 63; ++pad) {  // the padding of each row stays untouched
                ASSERT_EQ(clipped.storage[static_cast<std::size_t>(y) * 63 + pad],
                          raster::pixelValue(paper));
            }
        }
    }
}

TEST(Raster, ExtremeCoordinatesDrawExactlyAndQuickly) {
    {
        Picture p(50, 50, 0, paper);
        raster::line(p.buffer, INT_MAX, INT_MAX, INT_MIN, INT_MIN, ink);
        for (int y = 0; y < 50; ++y) {
            for (int x = 0; x < 50; ++x)
                ASSERT_EQ(p.is(x, y, ink), x == y) << x << "," << y;
        }
    }
    {
        // 2^32 - 1 columns, one step down exactly halfway, at column 0.
        Picture p(50, 3, 0, paper);
        raster::line(p.buffer, INT_MIN, 0, INT_MAX, 1, ink);
        EXPECT_EQ(p.art(ink), (std::vector<std::string>{std::string(50, '.'), std::string(50, '#'),
                                                        std::string(50, '.')}));
    }
    {
        Picture p(3, 50, 0, paper);
        raster::line(p.buffer, 0, INT_MIN, 1, INT_MAX, ink);
        for (int y = 0; y < 50; ++y)
            EXPECT_EQ(p.art(ink)[y], ".#.");
    }
    {
        Picture p(20, 20, 0, paper);
        raster::line(p.buffer, INT_MIN, INT_MAX, INT_MAX, INT_MAX - 5, ink);  // passes below
        raster::lineBySize(p.buffer, INT_MAX, 0, INT_MAX, 1, ink);            // right of it
        raster::lineBySize(p.buffer, INT_MIN, 5, INT_MAX, 1, ink);            // ends at x = -2
        raster::fillRect(p.buffer, INT_MAX - 1, 0, INT_MAX, 5, ink);
        raster::fillRect(p.buffer, INT_MIN, INT_MIN, INT_MAX, INT_MAX, ink);  // ends at -2
        raster::filledCircle(p.buffer, INT_MIN, INT_MIN, INT_MAX, ink);
        raster::filledCircle(p.buffer, INT_MAX, 10, 5, ink);
        EXPECT_EQ(p.art(paper), std::vector<std::string>(20, std::string(20, '#')));
    }
    {
        Picture p(20, 20, 0, paper);
        raster::fillRect(p.buffer, -1, -1, INT_MAX, INT_MAX, ink);
        raster::lineBySize(p.buffer, -5, 3, INT_MAX, 1, paper);
        for (int x = 0; x < 20; ++x)
            EXPECT_TRUE(p.is(x, 3, paper) && p.is(x, 2, ink));
        Picture disc(20, 20, 0, paper);
        raster::filledCircle(disc.buffer, 10, 10, INT_MAX, ink);
        EXPECT_EQ(disc.art(ink), std::vector<std::string>(20, std::string(20, '#')));
    }
}

TEST(Raster, LineBySizeAndRectangleSizes) {
    auto lineBySize = [](int x, int y, int w, int h) {
        Picture p(12, 6, 0, paper);
        raster::lineBySize(p.buffer, x, y, w, h, ink);
        return p.art(ink);
    };
    auto line = [](int x1, int y1, int x2, int y2) {
        Picture p(12, 6, 0, paper);
        raster::line(p.buffer, x1, y1, x2, y2, ink);
        return p.art(ink);
    };
    const auto empty = std::vector<std::string>(6, std::string(12, '.'));
    EXPECT_EQ(lineBySize(2, 3, 0, 2), empty);
    EXPECT_EQ(lineBySize(2, 3, 5, 0), empty);
    EXPECT_EQ(lineBySize(2, 3, 5, 1), line(2, 3, 6, 3));
    EXPECT_EQ(lineBySize(1, 2, 11, 2), line(1, 2, 11, 3));  // a grid line: (1, y) to (W, y+1)
    EXPECT_EQ(lineBySize(10, 5, -4, -1), line(10, 5, 7, 5));
    EXPECT_EQ(lineBySize(3, 4, 1, -3), line(3, 4, 3, 2));

    Picture p(6, 4, 0, paper);
    raster::fillRect(p.buffer, -2, 1, 4, 2, ink);
    raster::fillRect(p.buffer, 4, 0, 0, 3, ink);
    raster::fillRect(p.buffer, 4, 0, 2, -3, ink);
    raster::fillRect(p.buffer, 5, 3, 1, 1, ink);
    EXPECT_EQ(p.art(ink), (std::vector<std::string>{"......", "##....", "##....", ".....#"}));
}

TEST(Raster, BufferFromBytesAndPixelLayout) {
    std::vector<std::uint32_t> storage(std::size_t{4} * 3, 0);
    const auto buffer = raster::PixelBuffer::fromBytes(storage.data(), 3, 3, 16);
    EXPECT_EQ(buffer.stride, 4);
    raster::fillRect(buffer, 0, 1, 5, 1, {0x12, 0x34, 0x56});
    EXPECT_EQ(storage, (std::vector<std::uint32_t>{0, 0, 0, 0, 0xFF123456u, 0xFF123456u,
                                                   0xFF123456u, 0, 0, 0, 0, 0}));
    raster::fillRect({}, 0, 0, 5, 5, ink);  // no pixels: nothing to do
}

}  // namespace
}  // namespace tarvenix
