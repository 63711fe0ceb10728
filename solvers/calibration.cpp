// The "V0 berechnen" and "CW berechnen" jobs: fit V0 or CW to two sight settings from the range.
#include <cmath>
#include <cstdint>
#include <string>

#include "flight/formulas.h"
#include "platform/numbertext.h"
#include "solvers/jobs.h"
#include "solvers/wholenumbers.h"

namespace tarvenix {

namespace {

constexpr int halfStepPauseMs = 500;

// What sets the V0 solve apart: whole millimetres, and V0 kept in single precision.
struct V0Solve {
    using Sight = std::int32_t;                    // mm
    using Difference = std::int64_t;               // mm; two 32-bit settings cannot overflow it
    static constexpr double stepWhileAbove = 0.1;  // m/s: a faster arrow flies flatter
    static constexpr double stepWhileBelow = -0.1;

    // Ties to even; see nearestInt32 for settings that are not a number or out of range.
    static Sight sight(double mm) { return nearestInt32(mm); }
    static Difference difference(Sight m1, Sight m2) {
        return static_cast<Difference>(m2) - static_cast<Difference>(m1);
    }
    static std::string differenceText(Difference d) { return formatInteger(d); }
    static void step(JobContext& ctx, double size) {
        ParameterSet& p = ctx.params;
        p.V0 = static_cast<float>(static_cast<double>(p.V0) + size);
        ctx.host.showText(JobField::v0Field, formatDecimals(p.V0, 2));
    }
};

// What sets the CW solve apart: settings and their difference in single precision.
struct CwSolve {
    using Sight = float;                             // mm
    using Difference = float;                        // mm
    static constexpr double stepWhileAbove = -0.01;  // less drag, flatter flight
    static constexpr double stepWhileBelow = 0.01;

    static Sight sight(double mm) { return static_cast<float>(mm); }
    static Difference difference(Sight m1, Sight m2) { return m2 - m1; }
    static std::string differenceText(Difference d) { return formatDecimals(d, 2); }
    static void step(JobContext& ctx, double size) {
        ParameterSet& p = ctx.params;
        p.CW = p.CW + size;
        ctx.host.showText(JobField::cwField, formatDecimals(static_cast<float>(p.CW), 2));
    }
};

// Steps X until the computed sight difference between the two distances reaches or passes
// the target difference (both compared exactly, as doubles), or until "Abbrechen".
template <typename Solve>
void calibrate(JobContext& ctx, std::int32_t distance1, std::int32_t distance2,
               double targetDifference, double startAngle) {
    ParameterSet& p = ctx.params;
    JobHost& host = ctx.host;

    struct Evaluation {
        typename Solve::Sight sight;
        double angle;  // deg, where this distance's next search starts
    };
    auto evaluate = [&](std::int32_t distance) {
        p.Distance = distance;
        host.computeTrajectory();
        searchLaunchAngle(ctx);
        const double mm = sightSetting(p.AbstandAugeVisier, static_cast<float>(p.Winkel));
        return Evaluation{Solve::sight(mm), p.Winkel};
    };

    Evaluation first = evaluate(distance1);
    Evaluation second = evaluate(distance2);
    typename Solve::Difference difference = Solve::difference(first.sight, second.sight);
    host.showText(JobField::differenzLabel, Solve::differenceText(difference));

    // One step; false when "Abbrechen" asks to stop. The flag is cleared then, so that it
    // does not cut short the first search of whatever runs next.
    auto step = [&](double size) {
        Solve::step(ctx, size);
        p.Winkel = first.angle;
        first = evaluate(distance1);
        host.pause(halfStepPauseMs);
        p.Winkel = second.angle;
        second = evaluate(distance2);
        difference = Solve::difference(first.sight, second.sight);
        host.showText(JobField::differenzLabel, Solve::differenceText(difference));
        host.pause(halfStepPauseMs);
        if (ctx.cancelFlag.load() == 1) {
            ctx.cancelFlag.store(0);
            return false;
        }
        return true;
    };

    auto current = [&] { return static_cast<double>(difference); };
    if (current() > targetDifference) {
        while (current() > targetDifference && step(Solve::stepWhileAbove)) {
        }
    } else if (current() < targetDifference) {
        while (current() < targetDifference && step(Solve::stepWhileBelow)) {
        }
    }

    host.showText(JobField::winkelField, formatDecimals(static_cast<float>(startAngle), 2));
}

}  // namespace

void runV0Solve(JobContext& ctx, const JobInputs& inputs) {
    ctx.cancelFlag.store(0);
    ParameterSet& p = ctx.params;
    p.AbstandAugeVisier = low32Bits(parseInteger(inputs.abstandAugeVisier));
    const std::int32_t d1 = low32Bits(parseInteger(inputs.distanz1));
    const std::int32_t d2 = low32Bits(parseInteger(inputs.distanz2));
    const float s1 = parseFloat(inputs.sight1);
    const float s2 = parseFloat(inputs.sight2);
    const double startAngle = p.Winkel;
    if (d1 == 0 || d2 == 0 || s1 == 0 || s2 == 0 || d1 == d2 || s1 == s2)
        return;

    // A whole number (or an infinity or not-a-number from a pasted text) kept as a float:
    // compared with the whole-millimetre difference exactly, it needs no integer conversion.
    const float target = std::fabs(roundHalfAway(s2) - roundHalfAway(s1));
    calibrate<V0Solve>(ctx, d1, d2, static_cast<double>(target), startAngle);
}

void runCwSolve(JobContext& ctx, const JobInputs& inputs) {
    ctx.cancelFlag.store(0);
    ParameterSet& p = ctx.params;
    p.AbstandAugeVisier = low32Bits(parseInteger(inputs.abstandAugeVisier));
    const float d1 = parseFloat(inputs.distanz1);
    const float d2 = parseFloat(inputs.distanz2);
    const float s1 = parseFloat(inputs.sight1);
    const float s2 = parseFloat(inputs.sight2);
    const double startAngle = p.Winkel;
    // The checks see the texts' values; 30 and 30.4 pass though both are set as 30 m.
    if (d1 == 0 || d2 == 0 || s1 == 0 || s2 == 0 || d1 == d2 || s1 == s2)
        return;

    const float target = std::fabs(s2 - s1);
    calibrate<CwSolve>(ctx, nearestInt32(d1), nearestInt32(d2), static_cast<double>(target),
                       startAngle);
}

}  // namespace tarvenix
