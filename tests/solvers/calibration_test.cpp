// The V0 and CW solves: inputs, target difference, step directions, texts and cancelling.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "flight/formulas.h"
#include "platform/numbertext.h"
#include "recordinghost.h"
#include "solvers/jobs.h"

namespace tarvenix {
namespace {

using testing::HostEvent;
using testing::RecordingHost;
using Solve = void (*)(JobContext&, const JobInputs&);

bool sameParameters(const ParameterSet& a, const ParameterSet& b) {
    return a.CW == b.CW && a.RHO == b.RHO && a.R == b.R && a.M == b.M && a.V0 == b.V0 &&
           a.G == b.G && a.dt == b.dt && a.Winkel == b.Winkel && a.Distance == b.Distance &&
           a.HoeheZiel == b.HoeheZiel && a.AbstandAugeVisier == b.AbstandAugeVisier;
}

TEST(Calibration, UnusableInputsChangeOnlyTheEyeDistance) {
    struct Case {
        JobInputs inputs;
        bool endsV0;  // the V0 solve ends at once
        bool endsCw;
    };
    const Case cases[] = {
        {{"800", "30", "", "50", ""}, true, true},  // the sight fields as at program start
        {{"800", "0", "40", "50", "52"}, true, true},
        {{"800", "30", "40", "abc", "52"}, true, true},
        {{"800", "30", "0", "50", "52"}, true, true},
        {{"800", "30", "40", "50", "0.0"}, true, true},
        {{"800", "30", "40", "30", "52"}, true, true},
        {{"800", "30", "40", "50", "40"}, true, true},
        {{"800", "30", "40.4", "50", "40.4"}, true, true},
        {{"800", "30", "40", "30.4", "52"}, true, false},  // whole numbers in the V0 solve
        {{"800", "$1E", "40", "50", "52"}, false, true},   // no number for parseFloat
        {{"800", "30", "40", "30.0", "52"}, true, true},
    };
    for (const Case& c : cases) {
        for (auto [solve, ends] : {std::pair<Solve, bool>{runV0Solve, c.endsV0},
                                   std::pair<Solve, bool>{runCwSolve, c.endsCw}}) {
            if (!ends)
                continue;
            SCOPED_TRACE(c.inputs.distanz1 + " " + c.inputs.sight1 + " " + c.inputs.distanz2 + " " +
                         c.inputs.sight2 + (solve == runV0Solve ? " V0" : " CW"));
            RecordingHost host;
            ParameterSet expected = host.params;
            expected.AbstandAugeVisier = 800;
            JobContext ctx = host.context();
            solve(ctx, c.inputs);
            EXPECT_TRUE(host.events.empty());
            EXPECT_TRUE(sameParameters(host.params, expected));
        }
    }
}

// What one evaluation leaves: the angle found at a distance, from a given start angle.
double angleFoundAt(const ParameterSet& params, std::int32_t distance, double startAngle) {
    RecordingHost h;
    h.params = params;
    h.params.Distance = distance;
    h.params.Winkel = startAngle;
    h.computeTrajectory();
    JobContext ctx = h.context();
    searchLaunchAngle(ctx);
    return h.params.Winkel;
}

double settingMm(std::int32_t eyeMm, double angle) {
    return sightSetting(eyeMm, static_cast<float>(angle));
}
std::int64_t wholeMm(double mm) {
    return static_cast<std::int64_t>(std::nearbyint(mm));
}

// The solve's start and steps, cut out of the host's record.
struct Phase {
    std::string xText;                // empty for the start
    std::vector<HostEvent> at1, at2;  // integrations at distance 1 and 2
    std::string differenceText;
    std::string shape;  // X, 1, 2, P (500 ms), D; runs collapsed
};

std::vector<Phase> phasesOf(const RecordingHost& host, JobField xField, std::int32_t d1) {
    std::vector<Phase> phases(1);
    bool second = false;
    auto mark = [&](char c) {
        if (phases.back().shape.empty() || phases.back().shape.back() != c)
            phases.back().shape += c;
    };
    for (const HostEvent& e : host.events) {
        switch (e.kind) {
            case HostEvent::Kind::text:
                if (e.field == xField) {
                    phases.push_back({});
                    phases.back().xText = e.text;
                    second = false;
                    mark('X');
                } else if (e.field == JobField::differenzLabel) {
                    phases.back().differenceText = e.text;
                    mark('D');
                }
                break;
            case HostEvent::Kind::integration:
                if (e.distance != d1)
                    second = true;
                (second ? phases.back().at2 : phases.back().at1).push_back(e);
                mark(second ? '2' : '1');
                break;
            case HostEvent::Kind::pause:
                if (e.milliseconds == 500)
                    mark('P');
                else
                    EXPECT_EQ(e.milliseconds, 10);
                break;
        }
    }
    return phases;
}

// The default set, but starting near the angles for 30 and 50 m (about 1.8 and 3.6 deg), so
// that the first search takes a few steps, not hundreds, and with a ten times coarser time
// step: each solve runs some hundred integrations.
ParameterSet calibrationParams() {
    ParameterSet p = defaultParameterSet();
    p.dt = 0.001;
    p.Winkel = 2.0;
    return p;
}

// Distances 30 and 50 m, eye distance 1000 mm: D0 is the first difference.
struct Start {
    ParameterSet params = calibrationParams();
    double a1 = angleFoundAt(params, 30, params.Winkel);
    double a2 = angleFoundAt(params, 50, a1);
    float m1 = static_cast<float>(settingMm(1000, a1));
    float m2 = static_cast<float>(settingMm(1000, a2));
    std::int64_t wholeD0 = wholeMm(settingMm(1000, a2)) - wholeMm(settingMm(1000, a1));
    float floatD0 = m2 - m1;
};

// The target difference reaches or passes the difference with the sight settings rounded
// halves away from zero in the V0 solve, unrounded in the CW solve; equal means no step.
TEST(Calibration, TargetEqualToTheFirstDifferenceTakesNoStep) {
    const Start start;
    ASSERT_GT(start.wholeD0, 5);
    const std::string d0 = formatInteger(start.wholeD0);
    const std::vector<std::pair<std::string, std::string>> v0Sights{
        {"40", formatInteger(40 + start.wholeD0)},
        {"10.5", formatInteger(10 + start.wholeD0) + ".6"},   // 11 and D0 + 11
        {"-10.5", formatInteger(start.wholeD0 - 11) + ".4"},  // -11 and D0 - 11
    };
    const std::vector<std::pair<std::string, std::string>> cwSights{
        // 2 x D0 - D0 is exact in single precision.
        {formatDecimals(start.floatD0, 60), formatDecimals(2 * start.floatD0, 60)},
    };
    using SightPairs = std::vector<std::pair<std::string, std::string>>;
    for (auto [solve, sights] : {std::pair<Solve, SightPairs>{runV0Solve, v0Sights},
                                 std::pair<Solve, SightPairs>{runCwSolve, cwSights}}) {
        for (const auto& [s1, s2] : sights) {
            SCOPED_TRACE(s1 + " " + s2);
            RecordingHost host;
            host.params = calibrationParams();
            JobContext ctx = host.context();
            solve(ctx, JobInputs{"1000", "30", s1, "50", s2});
            const std::vector<std::string> shown = host.textsOf(JobField::differenzLabel);
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0], solve == runV0Solve ? d0 : formatDecimals(start.floatD0, 2));
            EXPECT_EQ(host.params.V0, 65.0f);
            EXPECT_EQ(host.params.CW, 3.05);
            EXPECT_EQ(host.pauseLengths(), std::vector<int>(host.pauses, 10));
            EXPECT_EQ(host.events.back().field, JobField::winkelField);
            EXPECT_EQ(host.events.back().text, "2.00");
            EXPECT_EQ(host.params.Distance, 50);
        }
    }
}

struct DirectionCase {
    const char* name;
    Solve solve;
    double targetOffset;  // T - D0
    double stepSize;      // of X
};

TEST(Calibration, StepsUntilTheDifferenceReachesTheTarget) {
    const Start start;
    const DirectionCase cases[] = {
        {"V0, difference too large", runV0Solve, -2.0, 0.1},
        {"V0, difference too small", runV0Solve, +2.0, -0.1},
        {"CW, difference too large", runCwSolve, -1.0, -0.01},
        {"CW, difference too small", runCwSolve, +1.0, 0.01},
    };
    for (const DirectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const bool v0 = c.solve == runV0Solve;
        const std::string s2 =
            v0 ? formatInteger(40 + start.wholeD0 + std::llround(c.targetOffset))
               : formatDecimals(40.0f + start.floatD0 + float(c.targetOffset), 3);
        const double target = v0 ? double(start.wholeD0 + std::llround(c.targetOffset))
                                 : double(std::fabs(parseFloat(s2) - 40.0f));
        RecordingHost host;
        host.params = calibrationParams();
        JobContext ctx = host.context();
        c.solve(ctx, JobInputs{"1000", "30", "40", "50", s2});

        const JobField xField = v0 ? JobField::v0Field : JobField::cwField;
        const std::vector<Phase> phases = phasesOf(host, xField, 30);
        ASSERT_GE(phases.size(), 3u);  // the start and at least two steps
        float v0Value = 65.0f;
        double cwValue = 3.05;
        double a1 = 2.0, a2 = 0.0;
        double difference = 0.0;
        for (std::size_t k = 0; k < phases.size(); ++k) {
            const Phase& ph = phases[k];
            SCOPED_TRACE(k);
            if (k == 0) {
                EXPECT_EQ(ph.shape, "12D");
            } else {
                EXPECT_EQ(ph.shape, "X1P2DP");
                // X moves by one step size, by addition, and is shown before it is tried.
                v0Value = v0 ? float(double(v0Value) + c.stepSize) : v0Value;
                cwValue = v0 ? cwValue : cwValue + c.stepSize;
                EXPECT_EQ(ph.xText,
                          v0 ? formatDecimals(v0Value, 2) : formatDecimals(float(cwValue), 2));
                EXPECT_EQ(ph.at1.front().v0, v0Value);
                EXPECT_EQ(ph.at1.front().cw, cwValue);
            }
            // Each search starts from the angle found for its distance the step before.
            ASSERT_FALSE(ph.at1.empty());
            ASSERT_FALSE(ph.at2.empty());
            EXPECT_EQ(ph.at1.front().winkel, a1);
            EXPECT_EQ(ph.at1.front().distance, 30);
            if (k > 0) {
                EXPECT_EQ(ph.at2.front().winkel, a2);
            }
            EXPECT_EQ(ph.at2.front().distance, 50);
            a1 = ph.at1.back().winkel;
            a2 = ph.at2.back().winkel;
            if (v0) {
                const std::int64_t d = wholeMm(settingMm(1000, a2)) - wholeMm(settingMm(1000, a1));
                EXPECT_EQ(ph.differenceText, formatInteger(d));
                difference = double(d);
            } else {
                const float d = float(settingMm(1000, a2)) - float(settingMm(1000, a1));
                EXPECT_EQ(ph.differenceText, formatDecimals(d, 2));
                difference = double(d);
            }
            // The loop goes on while the difference stays on its starting side.
            const bool reached = c.targetOffset < 0 ? difference <= target : difference >= target;
            EXPECT_EQ(reached, k + 1 == phases.size()) << difference << " " << target;
        }
        EXPECT_EQ(host.params.V0, v0Value);
        EXPECT_EQ(host.params.CW, cwValue);
        EXPECT_EQ(host.params.Winkel, a2);
        EXPECT_EQ(host.params.Distance, 50);
        EXPECT_EQ(host.events.back().field, JobField::winkelField);
        EXPECT_EQ(host.events.back().text, "2.00");
        RecordProperty(c.name, int(phases.size() - 1));
    }
}

// Distance 1 beyond distance 2 makes D negative against a positive T: the solve never ends by
// itself. A click during a step's first pause only ends that step's second search; a click
// during its last pause ends the solve at the end of that step, and the flag is cleared.
TEST(Calibration, ClickDuringTheLastPauseEndsTheSolve) {
    for (Solve solve : {runV0Solve, runCwSolve}) {
        const bool v0 = solve == runV0Solve;
        SCOPED_TRACE(v0 ? "V0" : "CW");
        RecordingHost host;
        host.params = calibrationParams();
        host.params.Winkel = 3.0;
        int longPauses = 0;
        host.atPause = [&longPauses](RecordingHost& h, int) {
            if (h.events.back().milliseconds != 500)
                return;
            ++longPauses;
            if (longPauses == 3 || longPauses == 6)
                h.cancelFlag = 1;  // step 2 first, step 3 last
        };
        JobContext ctx = host.context();
        solve(ctx, JobInputs{"1000", "50", "40", "30", "52"});

        const std::vector<Phase> phases =
            phasesOf(host, v0 ? JobField::v0Field : JobField::cwField, 50);
        ASSERT_EQ(phases.size(), 4u);
        EXPECT_EQ(phases[3].shape, "X1P2DP");
        EXPECT_EQ(phases[2].at2.size(), 2u);  // the click ended this search after one step
        EXPECT_EQ(host.cancelFlag.load(), 0);
        const std::vector<std::string> xTexts =
            v0 ? std::vector<std::string>{"64.90", "64.80", "64.70"}
               : std::vector<std::string>{"3.06", "3.07", "3.08"};
        EXPECT_EQ(host.textsOf(v0 ? JobField::v0Field : JobField::cwField), xTexts);
        EXPECT_EQ(host.events.back().field, JobField::winkelField);
        EXPECT_EQ(host.events.back().text, "3.00");
    }
}

// A click left from before the solve must not cut its first searches short.
TEST(Calibration, StaleClickIsDropped) {
    for (Solve solve : {runV0Solve, runCwSolve}) {
        std::vector<std::string> texts[2];
        for (int flag : {0, 1}) {
            RecordingHost host;
            host.params = calibrationParams();
            host.params.Winkel = 2.5;  // both first searches take several steps
            host.cancelFlag = flag;
            host.atPause = [](RecordingHost& h, int) {
                if (h.events.back().milliseconds == 500)
                    throw JobStopped{};
            };
            JobContext ctx = host.context();
            EXPECT_THROW(solve(ctx, JobInputs{"1000", "30", "40", "50", "52"}), JobStopped);
            texts[flag] = host.allTexts();
        }
        EXPECT_GT(texts[0].size(), 4u);
        EXPECT_EQ(texts[1], texts[0]);
    }
}

// How the texts of the distance fields become Distance: whole numbers (low 32 bits) in the
// V0 solve, the nearest whole metre with ties to even in the CW solve, and no "," read as ".".
TEST(Calibration, DistancesAsSet) {
    struct Case {
        Solve solve;
        const char* d1;
        const char* d2;
        std::int32_t set1, set2;
    };
    const Case cases[] = {
        {runV0Solve, "$1E", "%110010", 30, 50}, {runV0Solve, "4294967326", "50.9", 30, 50},
        {runCwSolve, "30.5", "49.5", 30, 50},   {runCwSolve, "29.5", "50.5", 30, 50},
        {runCwSolve, "30,7", "51.5", 30, 52},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.d1) + " " + c.d2);
        RecordingHost host;
        host.params = calibrationParams();
        // Stop at the first step's first pause: the start has set both distances.
        host.atPause = [](RecordingHost& h, int) {
            if (h.events.back().milliseconds == 500)
                throw JobStopped{};
        };
        JobContext ctx = host.context();
        EXPECT_THROW(c.solve(ctx, JobInputs{"1000", c.d1, "1", c.d2, "90"}), JobStopped);
        const std::vector<Phase> phases = phasesOf(host, JobField::cwField, c.set1);
        ASSERT_FALSE(phases[0].at1.empty());
        ASSERT_FALSE(phases[0].at2.empty());
        EXPECT_EQ(phases[0].at1.front().distance, c.set1);
        EXPECT_EQ(phases[0].at2.front().distance, c.set2);
    }
}

// 30 and 30.4 pass the check for equal distances in the CW solve, yet both fly 30 m: the
// difference stays near 0 (the two searches may stop 0.01 deg apart, coming from opposite
// sides), far below T = 12, and only "Abbrechen" ends the solve.
TEST(Calibration, CwDistancesThatRoundAlikeRunUntilCancelled) {
    RecordingHost host;
    host.params = calibrationParams();
    int longPauses = 0;
    host.atPause = [&longPauses](RecordingHost& h, int) {
        if (h.events.back().milliseconds == 500 && ++longPauses == 4)
            h.cancelFlag = 1;
    };
    JobContext ctx = host.context();
    runCwSolve(ctx, JobInputs{"1000", "30", "40", "30.4", "52"});
    const std::vector<std::string> shown = host.textsOf(JobField::differenzLabel);
    EXPECT_EQ(shown.size(), 3u);
    for (const std::string& d : shown)
        EXPECT_LT(std::fabs(parseFloat(d)), 0.5f) << d;
    EXPECT_EQ(host.textsOf(JobField::cwField), (std::vector<std::string>{"3.06", "3.07"}));
    for (const HostEvent& e : host.integrationEvents())
        EXPECT_EQ(e.distance, 30);
}

}  // namespace
}  // namespace tarvenix
