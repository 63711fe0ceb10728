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
ResultLines renderPlot(const TrajectorySummary& summary, const TrajectoryList& list,
                       double flightPathLength, float V0, std::int32_t Distance,
                       const PlotGeometry& geometry, DrawingSurface& surface);

// The one way the program runs the flight model: integrate, then draw.
ResultLines computeTrajectory(const ParameterSet& params, TrajectoryList& list,
                              FlightResults& results, const PlotGeometry& geometry,
                              DrawingSurface& surface);

}  // namespace tarvenix
