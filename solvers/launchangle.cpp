// The launch-angle search and the "Winkel berechnen" job that runs it alone.
#include <cmath>

#include "platform/numbertext.h"
#include "solvers/jobs.h"

namespace tarvenix {

namespace {

constexpr double lowerStep = -0.01;    // deg
constexpr double raiseStep = 0.01;     // deg
constexpr double lowestAngle = -45.0;  // deg
constexpr double highestAngle = 45.0;  // deg
constexpr int stepPauseMs = 10;

// A height that is not a number (an integration whose speed overflowed) counts as above
// the target, so the search lowers the angle until the arrow comes back into range.
bool aboveTarget(double height, double target) {
    return target < height || std::isnan(height);
}

bool cancelRequested(const JobContext& ctx) {
    return ctx.cancelFlag.load() == 1;
}

void showAngle(JobContext& ctx) {
    ctx.host.showText(JobField::winkelField,
                      formatDecimals(static_cast<float>(ctx.params.Winkel), 2));
}

}  // namespace

void searchLaunchAngle(JobContext& ctx) {
    ParameterSet& p = ctx.params;
    const FlightResults& r = ctx.results;
    double previousHeight = r.heightAtTarget;

    if (aboveTarget(r.heightAtTarget, p.HoeheZiel)) {
        while (aboveTarget(r.heightAtTarget, p.HoeheZiel)) {
            p.Winkel = p.Winkel + lowerStep;
            ctx.host.computeTrajectory();
            if (r.heightAtTarget > previousHeight || cancelRequested(ctx))
                break;
            previousHeight = r.heightAtTarget;
            ctx.host.pause(stepPauseMs);
            showAngle(ctx);
            // An angle that is not finite never passes the limit; it ends here as well.
            if (p.Winkel < lowestAngle || !std::isfinite(p.Winkel))
                break;
        }
    } else if (p.HoeheZiel > r.heightAtTarget) {
        while (p.HoeheZiel > r.heightAtTarget) {
            p.Winkel = p.Winkel + raiseStep;
            ctx.host.computeTrajectory();
            // A height that turns into not-a-number while rising counts as having fallen.
            if (r.heightAtTarget < previousHeight || std::isnan(r.heightAtTarget) ||
                cancelRequested(ctx)) {
                break;
            }
            previousHeight = r.heightAtTarget;
            ctx.host.pause(stepPauseMs);
            showAngle(ctx);
            if (p.Winkel > highestAngle || !std::isfinite(p.Winkel))
                break;
        }
    } else {
        // On the target (or a target that is not a number): no step, and a pending cancel
        // stays for the next search.
        return;
    }
    ctx.cancelFlag.store(0);
}

void runLaunchAngleJob(JobContext& ctx) {
    // A click on "Abbrechen" while nothing ran must not cut this search short.
    ctx.cancelFlag.store(0);
    searchLaunchAngle(ctx);
}

}  // namespace tarvenix
