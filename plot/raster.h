// Pixel shapes on a plain 32-bit picture (0xFFRRGGBB, the layout of QImage's RGB32 and
// ARGB32): the one definition of which pixels a rectangle, line or disc covers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plot/drawingsurface.h"

namespace tarvenix::raster {

// A view of pixels owned elsewhere. Row y starts at pixels + y * stride.
struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    std::int32_t width = 0;     // pixels
    std::int32_t height = 0;    // pixels
    std::ptrdiff_t stride = 0;  // pixels from one row to the next

    // For pictures that count their rows in bytes (QImage::bytesPerLine); bytesPerLine
    // must be a multiple of 4, as it is for every 32-bit picture.
    static PixelBuffer fromBytes(void* bits, std::int32_t width, std::int32_t height,
                                 std::ptrdiff_t bytesPerLine) {
        return {static_cast<std::uint32_t*>(bits), width, height,
                bytesPerLine / static_cast<std::ptrdiff_t>(sizeof(std::uint32_t))};
    }

    std::uint32_t at(std::int32_t x, std::int32_t y) const { return pixels[y * stride + x]; }
};

constexpr std::uint32_t pixelValue(Colour c) {
    return 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}

// Every shape below accepts any int coordinates and sizes, draws only the part inside the
// buffer, and takes time in proportion to that part: nothing outside is rasterised.

// Covers x .. x+w-1 and y .. y+h-1; a width or height of 0 or less covers nothing.
void fillRect(const PixelBuffer& buffer, int x, int y, int w, int h, Colour c);

// Bresenham's line, both end points drawn. Along the longer axis (x when the extents are
// equal) every step sets one pixel; the other coordinate is the one nearest the ideal line,
// a tie going to the end point with the greater coordinate on the longer axis. So the line
// from a to b is the line from b to a.
void line(const PixelBuffer& buffer, int x1, int y1, int x2, int y2, Colour c);

// The line from (x, y) to (x+w-1, y+h-1); w or h of 0 draws nothing. A negative size
// counts the other way: the line then ends at x+w+1 (or y+h+1), so |w| columns and |h|
// rows are touched either way.
void lineBySize(const PixelBuffer& buffer, int x, int y, int w, int h, Colour c);

// The pixels (cx+dx, cy+dy) with dx*dx + dy*dy <= r*r + r: a disc 2*r+1 pixels across,
// rounder than the plain r*r bound, which leaves single pixels sticking out at the four
// extremes. A negative radius draws nothing.
void filledCircle(const PixelBuffer& buffer, int cx, int cy, int radius, Colour c);

}  // namespace tarvenix::raster
