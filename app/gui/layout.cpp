// Scaled rectangles, every rounding to the nearest pixel with ties to even.
#include "app/gui/layout.h"

#include "platform/conversions.h"

namespace tarvenix {

QRect controlRect(const PlotGeometry& g, int x, int dy, int w) {
    const double sx = g.scaleX;
    const double sy = g.scaleY;
    const double top = (static_cast<double>(g.canvasHeight) + dy) * sy;
    return QRect(nearestInt(sx * x), nearestInt(top), nearestInt(sx * w), nearestInt(sy * 20));
}

QRect canvasRect(const PlotGeometry& g) {
    return QRect(nearestInt(static_cast<double>(g.scaleX) * 5),
                 nearestInt(static_cast<double>(g.scaleY) * 15), g.canvasWidth, g.canvasHeight);
}

QSize clientSize(ScreenSize usable) {
    return QSize(usable.width, usable.height - 180);
}

}  // namespace tarvenix
