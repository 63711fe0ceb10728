// The usable screen size and the layout scale that start-up derives from it once.
#pragma once

#include "plot/plot.h"

namespace tarvenix {

struct ScreenSize {
    int width = 0;   // pixels
    int height = 0;  // pixels
};

// The client area of a maximised window on the primary screen, less two window-frame
// thicknesses: the screen's work area less a title bar and two frames, as the style
// reports them (Qt cannot tell the window manager's real decorations before a window shows).
ScreenSize usableScreenSize();

// scaleX, scaleY, canvasWidth and canvasHeight for a usable screen; a design layout for
// 1024 x 768 comes out unscaled.
PlotGeometry layoutGeometry(ScreenSize usable);

}  // namespace tarvenix
