// The drawing operations the plot needs of a canvas picture. The Qt layer implements it
// on a QImage; tests implement it on a plain pixel buffer.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvenix {

struct Colour {
    std::uint8_t r, g, b;
    friend bool operator==(Colour, Colour) = default;
};

namespace colours {
inline constexpr Colour white{255, 255, 255};
inline constexpr Colour black{0, 0, 0};
inline constexpr Colour red{255, 0, 0};
inline constexpr Colour green{0, 255, 0};
}  // namespace colours

// Coordinates are pixels, origin at the upper left, y downwards. Everything outside the
// picture is clipped.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Starts a drawing with the system's general GUI font; false when the picture is
    // unavailable, and then nothing may be drawn.
    virtual bool beginDrawing() = 0;
    // Ends the drawing; the canvas then shows the new picture.
    virtual void endDrawing() = 0;

    // Covers x .. x+w-1 and y .. y+h-1.
    virtual void fillRect(int x, int y, int w, int h, Colour c) = 0;
    // Straight line, both end points drawn.
    virtual void line(int x1, int y1, int x2, int y2, Colour c) = 0;
    // Line from (x, y) to (x+w-1, y+h-1); w or h of 0 draws nothing.
    virtual void lineBySize(int x, int y, int w, int h, Colour c) = 0;
    // Filled disc 2*radius+1 pixels across.
    virtual void filledCircle(int cx, int cy, int radius, Colour c) = 0;
    // UTF-8 text with its upper left corner at (x, y), its box filled with `back`.
    virtual void text(int x, int y, std::string_view utf8, Colour front, Colour back) = 0;
    // Width in pixels of the text in the current font.
    virtual int textWidth(std::string_view utf8) = 0;
    // Switches the following texts to the plot font (Arial 8 pt).
    virtual void usePlotFont() = 0;
};

}  // namespace tarvenix
