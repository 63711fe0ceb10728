// The "Visier berechnen" job: launch angle and sight setting for eight fixed distances.
#include <array>

#include "flight/formulas.h"
#include "platform/numbertext.h"
#include "solvers/jobs.h"

namespace tarvenix {

namespace {

struct SightRow {
    std::int32_t distanceM;
    JobField angleLabel;
    JobField sightLabel;
};

// Far to near: after the first, every search lowers the angle from the one before.
constexpr std::array<SightRow, 8> rows{{
    {90, JobField::angleLabel90, JobField::sightLabel90},
    {70, JobField::angleLabel70, JobField::sightLabel70},
    {60, JobField::angleLabel60, JobField::sightLabel60},
    {50, JobField::angleLabel50, JobField::sightLabel50},
    {40, JobField::angleLabel40, JobField::sightLabel40},
    {30, JobField::angleLabel30, JobField::sightLabel30},
    {25, JobField::angleLabel25, JobField::sightLabel25},
    {18, JobField::angleLabel18, JobField::sightLabel18},
}};

constexpr const char* degreeSign = "\xC2\xB0";  // UTF-8

}  // namespace

void runSightTable(JobContext& ctx, const JobInputs& inputs) {
    // The table never reads the flag, but its searches do: a stale click must not cut the
    // first one short.
    ctx.cancelFlag.store(0);
    ParameterSet& p = ctx.params;
    p.AbstandAugeVisier = low32Bits(parseInteger(inputs.abstandAugeVisier));
    const std::int32_t userDistance = p.Distance;

    for (const SightRow& row : rows) {
        p.Distance = row.distanceM;
        ctx.host.computeTrajectory();
        searchLaunchAngle(ctx);
        const float angle = static_cast<float>(p.Winkel);
        ctx.host.showText(row.angleLabel, formatDecimals(angle, 2) + degreeSign);
        const double sightMm = sightSetting(p.AbstandAugeVisier, angle);
        ctx.host.showText(row.sightLabel, formatDecimals(static_cast<float>(sightMm), 2));
    }

    p.Distance = userDistance;
    ctx.host.computeTrajectory();
    searchLaunchAngle(ctx);
    ctx.host.showText(JobField::winkelField, formatDecimals(static_cast<float>(p.Winkel), 2));
}

}  // namespace tarvenix
