// Design units to pixels: every rectangle of the main window for the scale fixed at start-up.
#pragma once

#include <QRect>

#include "platform/qt/screen.h"
#include "plot/plot.h"

namespace tarvenix {

// A control 20 design units high at design x, width w and vertical offset dy. The offset is
// added to the canvas height in pixels and the sum scaled again, as the layout always was.
QRect controlRect(const PlotGeometry& g, int x, int dy, int w);

// The canvas across the top.
QRect canvasRect(const PlotGeometry& g);

// The window's client area: the usable width, the usable height less 180.
QSize clientSize(ScreenSize usable);

}  // namespace tarvenix
