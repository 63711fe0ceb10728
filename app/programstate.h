// The one program-wide state, owned by the application and passed by reference.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "flight/parameters.h"
#include "flight/trajectory.h"
#include "plot/plot.h"

namespace tarvenix {

// Room the trajectory list takes at start-up (still empty), so that the first "Berechnen"
// waits neither for the memory of a default flight (16,220 points) nor its page faults.
inline constexpr std::size_t reservedTrajectoryPoints = 32768;

struct ProgramState {
    ParameterSet params;                  // zero until start-up loads the settings
    TrajectoryList trajectory;            // the points of the last integration
    FlightResults results;                // height at the target distance, flight path length
    PlotGeometry geometry;                // scaleX, scaleY, canvasWidth, canvasHeight
    std::atomic<std::int32_t> cancelFlag{0};  // 1: "Abbrechen" asks the running search to stop
    std::atomic<std::int32_t> quitRequested{0};
};

}  // namespace tarvenix
