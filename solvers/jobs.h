// The four worker jobs and the launch-angle search they are built on.
#pragma once

#include "solvers/jobhost.h"

namespace tarvenix {

// Steps Winkel by 0.01 deg until the height at the target distance reaches or passes
// HoeheZiel, starting from the height the last integration left. Does not clear the
// cancel flag at its start (a click during an enclosing job cuts short one search).
void searchLaunchAngle(JobContext& ctx);

// The jobs behind the buttons. Each clears a stale cancel flag when it starts.
void runLaunchAngleJob(JobContext& ctx);                      // "Winkel berechnen"
void runSightTable(JobContext& ctx, const JobInputs& inputs); // "Visier berechnen"
void runV0Solve(JobContext& ctx, const JobInputs& inputs);    // "V0 berechnen"
void runCwSolve(JobContext& ctx, const JobInputs& inputs);    // "CW berechnen"

}  // namespace tarvenix
