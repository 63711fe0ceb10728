// The launch-angle search: where it stops, what it shows, and what it does to the cancel flag.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/numbertext.h"
#include "recordinghost.h"
#include "solvers/jobs.h"

namespace tarvenix {
namespace {

using testing::HostEvent;
using testing::RecordingHost;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// The angle after n steps of repeated addition, as the search must produce it.
double stepped(double start, double step, int n) {
    for (int i = 0; i < n; ++i)
        start = start + step;
    return start;
}

bool sameValue(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

TEST(LaunchAngleSearch, EqualStartTakesNoStepAndKeepsTheFlag) {
    RecordingHost host;
    host.heightModel = [](const ParameterSet&) { return 5.0; };  // would move if it stepped
    host.results.heightAtTarget = host.params.HoeheZiel;
    host.cancelFlag = 1;
    JobContext ctx = host.context();

    searchLaunchAngle(ctx);
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(host.params.Winkel, 6.5);
    EXPECT_EQ(host.cancelFlag.load(), 1);

    // The job itself drops the stale click, even when its search has nothing to do.
    runLaunchAngleJob(ctx);
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(host.cancelFlag.load(), 0);
}

// Heights at the target distance as simple functions of the angle, target -0.2 m.
const double target = static_cast<double>(-0.2f);
double linear(double w) {
    return target + (w - 6.495) * 0.2;
}  // crosses at 6.495 deg
double valleyAt5(double w) {
    return target + 1.0 + std::fabs(w - 5.0);
}  // always above
double peakAt30(double w) {
    return target - 1.0 - std::fabs(w - 30.0);
}  // always below
double above(double) {
    return target + 1.0;
}
double below(double) {
    return target - 1.0;
}
// Not a number above 10 deg, as when the speed overflows; crosses the target at 9 deg.
double overflowAbove10(double w) {
    return w > 10.0 ? nan : target + (w - 9.0) * 0.2;
}
double overflowFrom8_5(double w) {
    return w >= 8.5 ? nan : target - 1.0;
}

struct SearchCase {
    const char* name;
    double (*height)(double winkel);
    double startWinkel;
    bool startHeightNaN;  // else the height of the start angle
    bool asJob;           // runLaunchAngleJob instead of the bare search
    int flagAtStart;
    int raiseFlagAfter;  // integration that a click follows; 0: none
    int steps;
    double stepSize;
    std::vector<std::string> shown;  // winkelField texts; empty with showAllSteps = false
    bool lastShownIsFinalAngle;
};

TEST(LaunchAngleSearch, WhereItStopsAndWhatItShows) {
    const SearchCase cases[] = {
        {"1 mm above, one step passes the target",
         linear,
         6.5,
         false,
         false,
         0,
         0,
         1,
         -0.01,
         {"6.49"},
         true},
        {"raising up to the first angle at or above the target",
         linear,
         6.43,
         false,
         false,
         0,
         0,
         7,
         0.01,
         {"6.44", "6.45", "6.46", "6.47", "6.48", "6.49", "6.50"},
         true},
        {"stale flag, bare search: one step, nothing shown",
         linear,
         7.0,
         false,
         false,
         1,
         0,
         1,
         -0.01,
         {},
         false},
        {"stale flag, the job clears it first",
         linear,
         6.55,
         false,
         true,
         1,
         0,
         6,
         -0.01,
         {"6.54", "6.53", "6.52", "6.51", "6.50", "6.49"},
         true},
        {"click after the third integration",
         linear,
         7.0,
         false,
         true,
         0,
         3,
         3,
         -0.01,
         {"6.99", "6.98"},
         false},
        {"lowering, a step that raises the height",
         valleyAt5,
         5.02,
         false,
         false,
         0,
         0,
         3,
         -0.01,
         {"5.01", "5.00"},
         false},
        {"raising past the highest point",
         peakAt30,
         29.98,
         false,
         false,
         0,
         0,
         3,
         0.01,
         {"29.99", "30.00"},
         false},
        {"starting below -45", above, -45.5, false, false, 0, 0, 1, -0.01, {"-45.51"}, true},
        {"starting above 45", below, 45.5, false, false, 0, 0, 1, 0.01, {"45.51"}, true},
        {"not-a-number height lowers and is stepped through",
         overflowAbove10,
         10.025,
         true,
         false,
         0,
         0,
         103,
         -0.01,
         {},
         true},
        {"height turning not-a-number while raising",
         overflowFrom8_5,
         8.475,
         false,
         false,
         0,
         0,
         3,
         0.01,
         {"8.48", "8.49"},
         false},
        {"Winkel NaN, lowering", above, nan, false, false, 0, 0, 1, -0.01, {"NaN"}, true},
        {"Winkel NaN, raising", below, nan, false, false, 0, 0, 1, 0.01, {"NaN"}, true},
        {"Winkel infinite, lowering",
         above,
         inf,
         false,
         false,
         0,
         0,
         1,
         -0.01,
         {"+Infinity"},
         true},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHost host;
        host.heightModel = [h = c.height](const ParameterSet& p) { return h(p.Winkel); };
        host.params.Winkel = c.startWinkel;
        host.results.heightAtTarget = c.startHeightNaN ? nan : c.height(c.startWinkel);
        host.cancelFlag = c.flagAtStart;
        if (c.raiseFlagAfter > 0) {
            host.afterIntegration = [n = c.raiseFlagAfter](RecordingHost& h, int i) {
                if (i == n)
                    h.cancelFlag = 1;
            };
        }
        JobContext ctx = host.context();
        if (c.asJob) {
            runLaunchAngleJob(ctx);
        } else {
            searchLaunchAngle(ctx);
        }

        EXPECT_EQ(host.integrations, c.steps);
        EXPECT_TRUE(sameValue(host.params.Winkel, stepped(c.startWinkel, c.stepSize, c.steps)))
            << host.params.Winkel;
        EXPECT_EQ(host.cancelFlag.load(), 0);

        const std::vector<std::string> shown = host.textsOf(JobField::winkelField);
        if (!c.shown.empty()) {
            EXPECT_EQ(shown, c.shown);
        }
        if (c.lastShownIsFinalAngle) {
            ASSERT_FALSE(shown.empty());
            EXPECT_EQ(shown.back(), formatDecimals(static_cast<float>(host.params.Winkel), 2));
        } else {
            // Ended by the direction or cancel test: the last step is not shown.
            EXPECT_EQ(shown.size(), static_cast<std::size_t>(c.steps - 1));
        }
        // Every shown step paused 10 ms first; nothing else paused.
        EXPECT_EQ(host.pauseLengths(), std::vector<int>(shown.size(), 10));
        ASSERT_FALSE(host.events.empty());
        EXPECT_EQ(host.events.back().kind,
                  c.lastShownIsFinalAngle ? HostEvent::Kind::text : HostEvent::Kind::integration);
    }
}

TEST(LaunchAngleSearch, LimitsEndOnlyAfterTheAngleHasPassedThem) {
    for (double step : {-0.01, 0.01}) {
        RecordingHost host;
        const double height = step < 0 ? target + 1.0 : target - 1.0;  // never reached
        host.heightModel = [height](const ParameterSet&) { return height; };
        host.params.Winkel = step < 0 ? -44.955 : 44.955;
        host.results.heightAtTarget = host.heightModel(host.params);
        JobContext ctx = host.context();
        searchLaunchAngle(ctx);

        const std::vector<HostEvent> tried = host.integrationEvents();
        ASSERT_GE(tried.size(), 2u);
        for (std::size_t i = 0; i + 1 < tried.size(); ++i) {
            EXPECT_LE(std::fabs(tried[i].winkel), 45.0);
        }
        EXPECT_GT(std::fabs(tried.back().winkel), 45.0);
        EXPECT_EQ(tried.size(), 5u);  // -44.955 - 5 x 0.01 is the first angle beyond
        EXPECT_EQ(host.textsOf(JobField::winkelField).back(),
                  formatDecimals(static_cast<float>(tried.back().winkel), 2));
    }
}

// The real flight: from the default 6.5 deg at 90 m to the first angle on the other side
// of the target height, every integration one repeated-addition step further.
TEST(LaunchAngleSearch, FindsTheCrossingOfTheRealFlight) {
    RecordingHost host;
    host.params.dt = 0.001;  // ten times fewer points; the search logic is the same
    host.computeTrajectory();
    const double startHeight = host.results.heightAtTarget;
    const double targetHeight = host.params.HoeheZiel;
    host.events.clear();
    host.integrations = 0;
    // A stale click must not end the job's search after one step.
    host.cancelFlag = 1;
    JobContext ctx = host.context();
    runLaunchAngleJob(ctx);

    const bool lowering = startHeight > targetHeight;
    const double step = lowering ? -0.01 : 0.01;
    const std::vector<HostEvent> tried = host.integrationEvents();
    ASSERT_GE(tried.size(), 5u);
    double w = 6.5;
    for (std::size_t i = 0; i < tried.size(); ++i) {
        w = w + step;
        EXPECT_EQ(tried[i].winkel, w) << i;
        const bool reached =
            lowering ? tried[i].height <= targetHeight : tried[i].height >= targetHeight;
        EXPECT_EQ(reached, i + 1 == tried.size()) << i;
    }
    EXPECT_EQ(host.params.Winkel, w);
    EXPECT_EQ(host.textsOf(JobField::winkelField).back(), formatDecimals(static_cast<float>(w), 2));
    EXPECT_EQ(host.cancelFlag.load(), 0);
}

}  // namespace
}  // namespace tarvenix
