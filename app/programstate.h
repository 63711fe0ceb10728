// The one program-wide state, owned by the application and passed by reference.
#pragma once

#include <atomic>
#include <cstdint>

#include "flight/parameters.h"
#include "flight/trajectory.h"
#include "plot/plot.h"

namespace tarvenix {

struct ProgramState {
    ParameterSet params;                  // zero until start-up loads the settings
    TrajectoryList trajectory;            // the points of the last integration
    FlightResults results;                // height at the target distance, flight path length
    PlotGeometry geometry;                // scaleX, scaleY, canvasWidth, canvasHeight
    std::atomic<std::int32_t> cancelFlag{0};  // 1: "Abbrechen" asks the running search to stop
    std::atomic<std::int32_t> quitRequested{0};
};

}  // namespace tarvenix
