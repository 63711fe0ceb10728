// The integrator: exact figures of the default flight, invariants, summary rules, guards.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

#include "flight/parameters.h"
#include "flight/trajectory.h"

namespace {

// Counts every allocation of the test program, to show that a repeated run allocates nothing.
std::atomic<long> allocationCount{0};

}  // namespace

void* operator new(std::size_t size) {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace tarvenix {
namespace {

struct Flight {
    TrajectoryList list;
    FlightResults results;
    TrajectorySummary summary;
    explicit Flight(const ParameterSet& p, std::size_t maxPoints = TrajectoryList::defaultMaxPoints)
        : list(maxPoints) {
        summary = integrateTrajectory(p, list, results);
    }
};

// Figures of the default flight from an independent re-computation of the model in
// another language (IEEE doubles, the same order of operations). Exact equality catches
// any change in the order of operations or a fused multiply-add.
TEST(Trajectory, DefaultFlightMatchesTheModelExactly) {
    Flight run(defaultParameterSet());
    EXPECT_EQ(run.summary.pointCount, 16220);
    EXPECT_EQ(run.summary.meanSpeed, 55.72785976594886);
    EXPECT_EQ(run.summary.minSpeed, 48.998323117515184);
    EXPECT_EQ(run.summary.apexHeight, 2.5058564317066567);
    EXPECT_EQ(run.summary.apexX, 42.05366784491744);
    EXPECT_EQ(run.summary.finalHeight, -1.9050050734383128);
    EXPECT_EQ(run.summary.finalX, 90.0029011202771);
    EXPECT_EQ(run.results.heightAtTarget, -1.9050050734383128);
    EXPECT_EQ(run.results.flightPathLength, 90.38898831981203);
    EXPECT_EQ(run.list.last().t, 1.6218999999998378);
}

TEST(Trajectory, FirstPointNeighboursAndLastPoint) {
    ParameterSet p = defaultParameterSet();
    Flight run(p);
    const TrajectoryList& list = run.list;
    ASSERT_GT(list.size(), 2u);

    const TrajectoryPoint& first = list[0];
    const double angle = p.Winkel * 3.141592653589793 / 180.0;
    EXPECT_EQ(first.t, 0.0);
    EXPECT_EQ(first.x, 0.0);
    EXPECT_EQ(first.y, 0.0);
    EXPECT_EQ(first.vx, static_cast<double>(p.V0) * std::cos(angle));
    EXPECT_EQ(first.vy, static_cast<double>(p.V0) * std::sin(angle));
    EXPECT_NEAR(first.v, p.V0, 1e-12);

    double pathLength = 0.0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TrajectoryPoint& a = list[i];
        pathLength += a.ds;
        ASSERT_LE(a.ay, -p.G) << "point " << i;
        if (i + 1 < list.size()) {
            const TrajectoryPoint& b = list[i + 1];
            ASSERT_EQ(b.t, a.t + p.dt) << "point " << i;
            ASSERT_EQ(b.vx, a.vxNew) << "point " << i;
            ASSERT_EQ(b.vy, a.vyNew) << "point " << i;
            ASSERT_EQ(b.x, a.xNew) << "point " << i;
            ASSERT_EQ(b.y, a.yNew) << "point " << i;
            ASSERT_LT(a.x, p.Distance) << "point " << i;
        }
    }
    EXPECT_GE(list.last().x, p.Distance);
    EXPECT_EQ(run.results.heightAtTarget, list.last().y);
    EXPECT_EQ(run.results.flightPathLength, pathLength);
    EXPECT_GE(run.results.flightPathLength, p.Distance);
}

TEST(Trajectory, DistanceZeroOrBelowGivesOnePointAndKeepsTheHeight) {
    for (std::int32_t distance : {0, -5, std::numeric_limits<std::int32_t>::min()}) {
        ParameterSet p = defaultParameterSet();
        p.Distance = distance;
        TrajectoryList list;
        FlightResults results;
        results.heightAtTarget = 12.5;  // left by an earlier run
        TrajectorySummary s = integrateTrajectory(p, list, results);
        EXPECT_EQ(list.size(), 1u);
        EXPECT_EQ(s.pointCount, 1);
        EXPECT_EQ(s.minSpeed, 1000.0);
        EXPECT_EQ(s.apexHeight, 0.0);
        EXPECT_EQ(s.apexX, 0.0);
        EXPECT_EQ(s.finalHeight, 0.0);
        EXPECT_EQ(s.finalX, 0.0);
        EXPECT_EQ(s.meanSpeed, list[0].v);
        EXPECT_EQ(results.heightAtTarget, 12.5);
        EXPECT_EQ(results.flightPathLength, list[0].ds);
    }
}

TEST(Trajectory, SummaryRulesAtSpecialAngles) {
    ParameterSet p = defaultParameterSet();
    p.Winkel = 0.0;
    Flight level(p);
    EXPECT_EQ(level.summary.apexHeight, 0.0);
    EXPECT_EQ(level.summary.apexX, 0.0);

    // Falling steeply the speed grows from the first step, and the first point's speed
    // must still not be taken as the least.
    p.Winkel = -45.0;
    Flight down(p);
    ASSERT_GE(down.list.size(), 2u);
    EXPECT_EQ(down.summary.minSpeed, down.list[1].v);
    EXPECT_GT(down.summary.minSpeed, static_cast<double>(p.V0));
    EXPECT_LT(down.list[0].vy, 0.0);
    EXPECT_LT(down.list[0].ay, -p.G);
}

TEST(Trajectory, UnusableTimeStepsEndAfterTheFirstPoint) {
    for (double dt : {0.0, -0.0001, std::numeric_limits<double>::quiet_NaN(),
                      -std::numeric_limits<double>::infinity()}) {
        ParameterSet p = defaultParameterSet();
        p.dt = dt;
        Flight run(p);
        EXPECT_EQ(run.list.size(), 1u) << "dt " << dt;
    }
}

TEST(Trajectory, RunsThatNeverArriveStopAtTheListBound) {
    ParameterSet tiny = defaultParameterSet();
    tiny.dt = 1e-300;
    Flight a(tiny, 10000);
    EXPECT_EQ(a.list.size(), 10000u);
    EXPECT_EQ(a.summary.pointCount, 10000);

    // Without gravity and with strong drag the arrow creeps on ever more slowly.
    ParameterSet stuck = defaultParameterSet();
    stuck.G = 0.0;
    stuck.CW = 305.0;
    Flight b(stuck, 5000);
    EXPECT_EQ(b.list.size(), 5000u);
    EXPECT_LT(b.list.last().x, stuck.Distance);
}

TEST(Trajectory, BadInputsEndWithoutHanging) {
    ParameterSet p = defaultParameterSet();
    p.V0 = 0.0f;  // 0/0 direction cosines: the second point's x is not a number
    Flight still(p);
    EXPECT_EQ(still.list.size(), 2u);
    EXPECT_TRUE(std::isnan(still.list[1].x));

    // Straight down the speed overflows and x stops being a number.
    p = defaultParameterSet();
    p.Winkel = -90.0;
    Flight down(p);
    EXPECT_FALSE(down.list.last().x < p.Distance);
    EXPECT_LT(down.list.size(), 1'000'000u);

    const float inf = std::numeric_limits<float>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        void (*set)(ParameterSet&, float, double);
    };
    const Case cases[] = {
        {"V0 +inf", [](ParameterSet& q, float i, double) { q.V0 = i; }},
        {"V0 nan", [](ParameterSet& q, float, double n) { q.V0 = static_cast<float>(n); }},
        {"Winkel nan", [](ParameterSet& q, float, double n) { q.Winkel = n; }},
        {"M 0", [](ParameterSet& q, float, double) { q.M = 0.0; }},
        {"CW nan", [](ParameterSet& q, float, double n) { q.CW = n; }},
        {"G +inf", [](ParameterSet& q, float i, double) { q.G = i; }},
        {"V0 negative", [](ParameterSet& q, float, double) { q.V0 = -65.0f; }},
    };
    for (const Case& c : cases) {
        ParameterSet q = defaultParameterSet();
        c.set(q, inf, nan);
        Flight run(q, 2'000'000);
        EXPECT_GE(run.list.size(), 1u) << c.what;
        EXPECT_LT(run.list.size(), 2'000'000u) << c.what;
    }
}

TEST(Trajectory, RepeatedRunOfTheSameSizeAllocatesNothing) {
    ParameterSet p = defaultParameterSet();
    TrajectoryList list;
    FlightResults results;
    integrateTrajectory(p, list, results);
    const std::size_t blocks = list.blockCount();
    EXPECT_EQ(blocks, (16220 + TrajectoryList::blockSize - 1) / TrajectoryList::blockSize);

    const long before = allocationCount.load();
    integrateTrajectory(p, list, results);
    p.Distance = 30;  // a shorter run reuses the same blocks too
    integrateTrajectory(p, list, results);
    const long after = allocationCount.load();
    EXPECT_EQ(after - before, 0);
    EXPECT_EQ(list.blockCount(), blocks);
}

TEST(Trajectory, ReservedListAllocatesNothingInItsFirstRun) {
    TrajectoryList list;
    ASSERT_TRUE(list.reserve(20000));
    EXPECT_TRUE(list.empty());
    const std::size_t blocks = list.blockCount();
    FlightResults results;
    const long before = allocationCount.load();
    TrajectorySummary s = integrateTrajectory(defaultParameterSet(), list, results);
    EXPECT_EQ(allocationCount.load() - before, 0);
    EXPECT_EQ(s.pointCount, 16220);
    EXPECT_EQ(list.blockCount(), blocks);

    // A reservation never goes beyond the list's bound.
    TrajectoryList small(5000);
    ASSERT_TRUE(small.reserve(1'000'000));
    EXPECT_EQ(small.blockCount(), 2u);
}

}  // namespace
}  // namespace tarvenix
