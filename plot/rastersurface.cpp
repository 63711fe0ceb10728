// The shape operations of RasterSurface, one raster call each.
#include "plot/rastersurface.h"

namespace tarvenix {

void RasterSurface::fillRect(int x, int y, int w, int h, Colour c) {
    raster::fillRect(buffer_, x, y, w, h, c);
}

void RasterSurface::line(int x1, int y1, int x2, int y2, Colour c) {
    raster::line(buffer_, x1, y1, x2, y2, c);
}

void RasterSurface::lineBySize(int x, int y, int w, int h, Colour c) {
    raster::lineBySize(buffer_, x, y, w, h, c);
}

void RasterSurface::filledCircle(int cx, int cy, int radius, Colour c) {
    raster::filledCircle(buffer_, cx, cy, radius, c);
}

}  // namespace tarvenix
