// computeTrajectory and renderPlot: one integration and its drawing on the canvas.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "flight/parameters.h"
#include "flight/trajectory.h"
#include "plot/drawingsurface.h"

namespace tarvenix {

// Canvas size and layout scale, fixed at start-up.
struct PlotGeometry {
    std::int32_t canvasWidth = 0;   // pixels
    std::int32_t canvasHeight = 0;  // pixels
    float scaleX = 0.0f;
    float scaleY = 0.0f;
};

// The eight result lines in row order ("VØ ...", "Vmax ...", ... "Flugbahnweg ...").
using ResultLines = std::array<std::string, 8>;

// The eight result lines of one integration.
ResultLines resultLines(const TrajectorySummary& summary, double flightPathLength, float V0,
                        std::int32_t Distance);

// Redraws the whole canvas from the list and summary of the last integration. When the
// drawing cannot begin nothing is drawn. Returns the result lines either way.
// A Distance of 0 or less draws the background, the grid and the result lines only. The
// time taken is bounded whatever the inputs: repeated ticks, grid lines and dots on the
// same pixels are drawn once, and crowded tick labels that would overlap the one drawn
// before are left out.
ResultLines renderPlot(const TrajectorySummary& summary, const TrajectoryList& list,
                       double flightPathLength, float V0, std::int32_t Distance,
                       const PlotGeometry& geometry, DrawingSurface& surface);

// The one way the program runs the flight model: integrate, then draw.
ResultLines computeTrajectory(const ParameterSet& params, TrajectoryList& list,
                              FlightResults& results, const PlotGeometry& geometry,
                              DrawingSurface& surface);

}  // namespace tarvenix
