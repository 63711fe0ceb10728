// Pixel shapes on a plain 32-bit picture, clipped before they are rasterised.
#include "plot/raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace tarvenix::raster {

namespace {

// Clipping a line exactly needs products of two 34-bit quantities.
__extension__ typedef __int128 Wide;

// Rounds toward negative infinity; divisor > 0.
Wide floorDiv(Wide a, Wide b) {
    Wide q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return q;
}

Wide ceilDiv(Wide a, Wide b) {
    return -floorDiv(-a, b);
}

bool drawable(const PixelBuffer& buffer) {
    return buffer.pixels != nullptr && buffer.width > 0 && buffer.height > 0;
}

// The greatest s with s*s <= v, for 0 <= v < 2^63.
std::int64_t wholeSquareRoot(std::int64_t v) {
    auto s = static_cast<std::int64_t>(std::sqrt(static_cast<double>(v)));
    while (s > 0 && s * s > v)
        --s;
    while ((s + 1) * (s + 1) <= v)
        ++s;
    return s;
}

// Half-widths of the rows of the small discs, the plot's dots among them:
// smallDiscSpans[r][|dy|] = wholeSquareRoot(r*r + r - dy*dy).
constexpr int smallDiscLimit = 8;
constexpr auto smallDiscSpans = [] {
    std::array<std::array<std::int8_t, smallDiscLimit + 1>, smallDiscLimit + 1> spans{};
    for (int r = 0; r <= smallDiscLimit; ++r) {
        for (int dy = 0; dy <= r; ++dy) {
            int s = 0;
            while ((s + 1) * (s + 1) <= r * r + r - dy * dy)
                ++s;
            spans[r][dy] = static_cast<std::int8_t>(s);
        }
    }
    return spans;
}();

// A line normalised to run forward along its major axis: step i = 0 .. length sets the
// pixel at major coordinate major0 + i and minor coordinate minor0 + minorStep * q(i),
// q(i) = floor((2*i*rise + length) / (2*length)), 0 <= rise <= length: the midpoint form
// of Bresenham's line. Only the steps whose pixel lies inside are visited; they are found
// by solving the two range conditions for i instead of walking up to them.
void drawForward(const PixelBuffer& buffer, bool majorIsX, std::int64_t major0, std::int64_t minor0,
                 std::int64_t length, std::int64_t rise, int minorStep, std::uint32_t pixel) {
    const std::int64_t majorSize = majorIsX ? buffer.width : buffer.height;
    const std::int64_t minorSize = majorIsX ? buffer.height : buffer.width;

    std::int64_t first = std::max<std::int64_t>(0, -major0);
    std::int64_t last = std::min<std::int64_t>(length, majorSize - 1 - major0);
    if (first > last)
        return;

    // The minor offsets whose coordinate lies inside.
    std::int64_t qLow = minorStep > 0 ? -minor0 : minor0 - (minorSize - 1);
    std::int64_t qHigh = minorStep > 0 ? minorSize - 1 - minor0 : minor0;
    qLow = std::max<std::int64_t>(qLow, 0);
    qHigh = std::min<std::int64_t>(qHigh, rise);
    if (qLow > qHigh)
        return;

    if (length == 0) {  // a single pixel, inside by now
        const std::int64_t x = majorIsX ? major0 : minor0;
        const std::int64_t y = majorIsX ? minor0 : major0;
        buffer.pixels[y * buffer.stride + x] = pixel;
        return;
    }
    if (rise > 0) {
        // q(i) >= qLow  <=>  i >= ceil((2*length*qLow - length) / (2*rise))
        // q(i) <= qHigh <=>  i <  (2*length*(qHigh + 1) - length) / (2*rise)
        const Wide twoLength = Wide{2} * length;
        const Wide twoRise = Wide{2} * rise;
        first =
            std::max(first, static_cast<std::int64_t>(ceilDiv(twoLength * qLow - length, twoRise)));
        last = std::min(last, static_cast<std::int64_t>(
                                  ceilDiv(twoLength * (qHigh + 1) - length, twoRise) - 1));
        if (first > last)
            return;
    }

    const std::int64_t twoLength = 2 * length;
    const std::int64_t twoRise = 2 * rise;
    const Wide numerator = Wide{twoRise} * first + length;
    const std::int64_t q = static_cast<std::int64_t>(numerator / twoLength);
    std::int64_t remainder = static_cast<std::int64_t>(numerator % twoLength);

    // Offsets, not pointers: the step after the last pixel may point outside the buffer.
    const std::int64_t majorStride = majorIsX ? 1 : buffer.stride;
    const std::int64_t minorStride = (majorIsX ? buffer.stride : 1) * minorStep;
    const std::int64_t startMinor = minor0 + minorStep * q;
    const std::int64_t startMajor = major0 + first;
    std::int64_t offset = majorIsX ? startMinor * buffer.stride + startMajor
                                   : startMajor * buffer.stride + startMinor;
    for (std::int64_t i = first; i <= last; ++i) {
        buffer.pixels[offset] = pixel;
        offset += majorStride;
        remainder += twoRise;
        if (remainder >= twoLength) {
            remainder -= twoLength;
            offset += minorStride;
        }
    }
}

void drawLine(const PixelBuffer& buffer, std::int64_t x1, std::int64_t y1, std::int64_t x2,
              std::int64_t y2, std::uint32_t pixel) {
    if (!drawable(buffer))
        return;
    const std::int64_t dx = x2 > x1 ? x2 - x1 : x1 - x2;
    const std::int64_t dy = y2 > y1 ? y2 - y1 : y1 - y2;
    if (dx >= dy) {
        if (x2 < x1) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        drawForward(buffer, true, x1, y1, dx, dy, y2 >= y1 ? 1 : -1, pixel);
    } else {
        if (y2 < y1) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        drawForward(buffer, false, y1, x1, dy, dx, x2 >= x1 ? 1 : -1, pixel);
    }
}

}  // namespace

void fillRect(const PixelBuffer& buffer, int x, int y, int w, int h, Colour c) {
    if (!drawable(buffer) || w <= 0 || h <= 0)
        return;
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + w, buffer.width);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + h, buffer.height);
    if (left >= right || top >= bottom)
        return;
    const std::uint32_t pixel = pixelValue(c);
    for (std::int64_t row = top; row < bottom; ++row) {
        std::uint32_t* p = buffer.pixels + row * buffer.stride;
        std::fill(p + left, p + right, pixel);
    }
}

void line(const PixelBuffer& buffer, int x1, int y1, int x2, int y2, Colour c) {
    drawLine(buffer, x1, y1, x2, y2, pixelValue(c));
}

void lineBySize(const PixelBuffer& buffer, int x, int y, int w, int h, Colour c) {
    if (w == 0 || h == 0)
        return;
    const std::int64_t x2 = std::int64_t{x} + w + (w > 0 ? -1 : 1);
    const std::int64_t y2 = std::int64_t{y} + h + (h > 0 ? -1 : 1);
    drawLine(buffer, x, y, x2, y2, pixelValue(c));
}

void filledCircle(const PixelBuffer& buffer, int cx, int cy, int radius, Colour c) {
    if (!drawable(buffer) || radius < 0)
        return;
    const std::int64_t r = radius;
    const std::int64_t bound = r * r + r;
    const std::int64_t firstRow = std::max<std::int64_t>(std::int64_t{cy} - r, 0);
    const std::int64_t lastRow = std::min<std::int64_t>(std::int64_t{cy} + r, buffer.height - 1);
    const std::uint32_t pixel = pixelValue(c);
    for (std::int64_t row = firstRow; row <= lastRow; ++row) {
        const std::int64_t dy = row - cy;
        const std::int64_t halfSpan = radius <= smallDiscLimit
                                          ? smallDiscSpans[radius][dy < 0 ? -dy : dy]
                                          : wholeSquareRoot(bound - dy * dy);
        const std::int64_t left = std::max<std::int64_t>(cx - halfSpan, 0);
        const std::int64_t right = std::min<std::int64_t>(cx + halfSpan, buffer.width - 1);
        if (left > right)
            continue;
        std::uint32_t* p = buffer.pixels + row * buffer.stride;
        std::fill(p + left, p + right + 1, pixel);
    }
}

}  // namespace tarvenix::raster
