// Test pictures: an owned pixel buffer, and a drawing surface on it whose text is a box
// of a fixed width per character, filled with the back colour and recorded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plot/raster.h"
#include "plot/rastersurface.h"

namespace tarvenix::plottest {

// A picture of width x height pixels; rows may be padded, as a QImage's can be.
struct Picture {
    std::vector<std::uint32_t> storage;
    raster::PixelBuffer buffer;

    Picture(int width, int height, int padding = 0, Colour fill = {1, 2, 3})
        : storage(static_cast<std::size_t>(width + padding) * height, raster::pixelValue(fill)),
          buffer{storage.data(), width, height, width + padding} {}
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    std::uint32_t at(int x, int y) const { return buffer.at(x, y); }
    bool is(int x, int y, Colour c) const { return at(x, y) == raster::pixelValue(c); }

    // Rows of '#' (colour c) and '.', for pictures small enough to compare by eye.
    std::vector<std::string> art(Colour c) const {
        std::vector<std::string> rows;
        for (int y = 0; y < buffer.height; ++y) {
            std::string row;
            for (int x = 0; x < buffer.width; ++x)
                row += is(x, y, c) ? '#' : '.';
            rows.push_back(row);
        }
        return rows;
    }
};

struct DrawnText {
    int x;
    int y;
    std::string text;
    bool plotFont;  // false: the font a drawing starts with
};

class TestSurface : public RasterSurface {
  public:
    static constexpr int textHeight = 12;

    // charWidth applies to the font a drawing starts with, plotCharWidth after usePlotFont.
    TestSurface(int width, int height, int charWidth = 6, int plotCharWidth = 5)
        : picture(width, height), charWidth_(charWidth), plotCharWidth_(plotCharWidth) {
        setBuffer(picture.buffer);
    }

    bool beginDrawing() override {
        plotFont_ = false;
        ++drawingsBegun;
        return canBegin && RasterSurface::beginDrawing();
    }
    void endDrawing() override { ++drawingsEnded; }

    void fillRect(int x, int y, int w, int h, Colour c) override {
        ++shapeCalls;
        RasterSurface::fillRect(x, y, w, h, c);
    }
    void line(int x1, int y1, int x2, int y2, Colour c) override {
        ++shapeCalls;
        ++lineCalls;
        RasterSurface::line(x1, y1, x2, y2, c);
    }
    void lineBySize(int x, int y, int w, int h, Colour c) override {
        ++shapeCalls;
        ++lineBySizeCalls;
        RasterSurface::lineBySize(x, y, w, h, c);
    }
    void filledCircle(int cx, int cy, int radius, Colour c) override {
        ++shapeCalls;
        ++circleCalls;
        RasterSurface::filledCircle(cx, cy, radius, c);
    }

    void text(int x, int y, std::string_view utf8, Colour, Colour back) override {
        RasterSurface::fillRect(x, y, textWidth(utf8), textHeight, back);
        texts.push_back({x, y, std::string(utf8), plotFont_});
    }
    int textWidth(std::string_view utf8) override {
        int characters = 0;
        for (unsigned char byte : utf8)
            characters += (byte & 0xC0) != 0x80;
        return characters * (plotFont_ ? plotCharWidth_ : charWidth_);
    }
    void usePlotFont() override { plotFont_ = true; }

    // The texts drawn in the font a drawing starts with: the tick labels.
    std::vector<DrawnText> labels() const {
        std::vector<DrawnText> result;
        for (const DrawnText& t : texts) {
            if (!t.plotFont)
                result.push_back(t);
        }
        return result;
    }

    Picture picture;
    std::vector<DrawnText> texts;
    bool canBegin = true;
    long drawingsBegun = 0;
    long drawingsEnded = 0;
    long shapeCalls = 0;
    long lineCalls = 0;
    long lineBySizeCalls = 0;
    long circleCalls = 0;

  private:
    int charWidth_;
    int plotCharWidth_;
    bool plotFont_ = false;
};

}  // namespace tarvenix::plottest
