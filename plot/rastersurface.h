// A drawing surface whose shapes go straight into a 32-bit pixel buffer; the text
// operations are left to whoever owns a font (the Qt layer, a test's fixed-width stand-in).
#pragma once

#include "plot/drawingsurface.h"
#include "plot/raster.h"

namespace tarvenix {

class RasterSurface : public DrawingSurface {
  public:
    explicit RasterSurface(raster::PixelBuffer buffer = {}) : buffer_(buffer) {}

    const raster::PixelBuffer& buffer() const { return buffer_; }
    void setBuffer(raster::PixelBuffer buffer) { buffer_ = buffer; }

    // True when there is a buffer to draw into.
    bool beginDrawing() override { return buffer_.pixels != nullptr; }
    void endDrawing() override {}

    void fillRect(int x, int y, int w, int h, Colour c) override;
    void line(int x1, int y1, int x2, int y2, Colour c) override;
    void lineBySize(int x, int y, int w, int h, Colour c) override;
    void filledCircle(int cx, int cy, int radius, Colour c) override;

  private:
    raster::PixelBuffer buffer_;
};

}  // namespace tarvenix
