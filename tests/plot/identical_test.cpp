// renderPlot skips repeated work (a disc per run of points on one pixel, a tick per pixel
// column, a grid line per row); its picture must be the one of the plain drawing that
// draws every disc, tick and grid line, pixel for pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "flight/parameters.h"
#include "flight/trajectory.h"
#include "platform/numbertext.h"
#include "platform/conversions.h"
#include "plot/plot.h"
#include "testsurface.h"

namespace tarvenix {
namespace {

using plottest::TestSurface;

// The drawing step by step as first written: every grid line, every tick, a disc for
// every point. Labels follow the same rule as renderPlot: one per pixel column, none
// over the last one drawn.
void drawEverything(const TrajectorySummary& summary, const TrajectoryList& list,
                    double flightPathLength, float V0, std::int32_t Distance, const PlotGeometry& g,
                    TestSurface& s) {
    float highest = 0.0f;
    float lowest = 100.0f;
    list.forEach([&](const TrajectoryPoint& p) {
        if (highest < p.y)
            highest = static_cast<float>(p.y);
        if (p.y < lowest)
            lowest = static_cast<float>(p.y);
    });
    const float T = roundHalfAway(static_cast<float>(highest + 0.5));
    float B = roundHalfAway(static_cast<float>(std::fabs(lowest + 0.5)));
    if (B < 2)
        B = 2;
    const int W = g.canvasWidth;
    const int H = g.canvasHeight;

    ASSERT_TRUE(s.beginDrawing());
    s.fillRect(0, 0, W, H, colours::white);
    for (std::int64_t i = 1; i <= nearestInt(double{T} + B); ++i) {
        s.lineBySize(1, nearestInt(i * (H / (double{T} + B))), W, 2, colours::black);
    }
    if (Distance > 0) {
        const float sx = static_cast<float>(static_cast<double>(W) / Distance);
        const float sy = static_cast<float>(H / (double{T} + B));
        const double zero = double{sy} * T;
        std::int32_t previousColumn = 0;
        bool anyLabel = false;
        std::int64_t labelLeft = 0;
        std::int64_t labelRight = 0;
        for (std::int64_t m = 0; m <= Distance; m += 10) {
            const std::int32_t column = nearestInt(double{sx} * m);
            s.line(column, nearestInt(zero - 10), column, nearestInt(zero + 10), colours::black);
            if (m > 0 && column == previousColumn)
                continue;
            previousColumn = column;
            const std::string label = formatInteger(m);
            const int w = s.textWidth(formatInteger(10 * m));
            const std::int32_t x = nearestInt(double{sx} * m - w / 2.0);
            const std::int64_t right = std::int64_t{x} + s.textWidth(label);
            if (anyLabel && x < labelRight && labelLeft < right)
                continue;
            s.text(x, nearestInt(zero + 15), label, colours::black, colours::white);
            anyLabel = true;
            labelLeft = x;
            labelRight = right;
        }
        for (std::int64_t m = 1; m <= std::int64_t{Distance} - 1; ++m) {
            const std::int32_t column = nearestInt(double{sx} * m);
            s.line(column, nearestInt(zero - 5), column, nearestInt(zero + 5), colours::black);
        }
        auto dot = [&](double x, double y, int radius, Colour c) {
            const float px = static_cast<float>(double{sx} * x);
            const float py = static_cast<float>(double{sy} * T - double{sy} * y);
            if (px < W - 1 && py < H - 1 && px > 0 && py > 0) {
                s.filledCircle(nearestInt(px), nearestInt(py), radius, c);
            }
        };
        list.forEach([&](const TrajectoryPoint& p) { dot(p.x, p.y, 2, colours::red); });
        dot(summary.apexX, summary.apexHeight, 3, colours::green);
    }
    s.usePlotFont();
    const ResultLines lines = resultLines(summary, flightPathLength, V0, Distance);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        s.text(nearestInt(g.scaleX * 15.0), nearestInt(g.scaleY * (10.0 + 20.0 * i)), lines[i],
               colours::black, colours::white);
    }
    s.endDrawing();
}

void expectSamePicture(const TrajectorySummary& summary, const TrajectoryList& list,
                       std::int32_t distance, const PlotGeometry& g, int charWidth,
                       const std::string& name) {
    TestSurface fast(g.canvasWidth, g.canvasHeight, charWidth);
    TestSurface plain(g.canvasWidth, g.canvasHeight, charWidth);
    renderPlot(summary, list, 90.4, 65.0f, distance, g, fast);
    drawEverything(summary, list, 90.4, 65.0f, distance, g, plain);

    ASSERT_EQ(fast.texts.size(), plain.texts.size()) << name;
    for (std::size_t i = 0; i < fast.texts.size(); ++i) {
        EXPECT_EQ(fast.texts[i].text, plain.texts[i].text) << name;
        EXPECT_EQ(fast.texts[i].x, plain.texts[i].x) << name << " " << fast.texts[i].text;
        EXPECT_EQ(fast.texts[i].y, plain.texts[i].y) << name << " " << fast.texts[i].text;
    }
    long differing = 0;
    for (std::size_t i = 0; i < fast.picture.storage.size(); ++i) {
        differing += fast.picture.storage[i] != plain.picture.storage[i];
    }
    EXPECT_EQ(differing, 0) << name;
    // The skipping must have had something to skip, or the comparison proves nothing.
    EXPECT_LT(fast.shapeCalls, plain.shapeCalls) << name;
}

void setCurve(TrajectoryList& list, int points, double distance,
              const std::function<double(double)>& height) {
    list.clear();
    for (int i = 0; i < points; ++i) {
        TrajectoryPoint* p = list.appendSlot();
        *p = TrajectoryPoint{};
        p->x = distance * i / (points - 1);
        p->y = height(p->x);
    }
}

TEST(IdenticalPicture, DefaultFlight) {
    const ParameterSet params = defaultParameterSet();
    TrajectoryList list;
    FlightResults results;
    const TrajectorySummary summary = integrateTrajectory(params, list, results);
    ASSERT_EQ(list.size(), 16220u);
    expectSamePicture(summary, list, params.Distance, {1014, 200, 1.0f, 1.0f}, 6, "1014 x 200");
    expectSamePicture(summary, list, params.Distance, {1600, 320, 1.5f, 1.6f}, 7, "1600 x 320");
    expectSamePicture(summary, list, params.Distance, {150, 40, 0.5f, 0.25f}, 5, "150 x 40");
}

TEST(IdenticalPicture, CrowdedTicksAndGridLines) {
    TrajectoryList list;
    TrajectorySummary summary;
    summary.apexX = 10000;
    summary.apexHeight = 30;
    // 20 km across 1014 pixels: twenty metre ticks and two labelled ticks per column.
    setCurve(list, 50001, 20000, [](double x) { return 30 * 4 * x * (20000 - x) / 4e8 - 1; });
    expectSamePicture(summary, list, 20000, {1014, 200, 1.0f, 1.0f}, 6, "20 km");
    // 700 m across 300 pixels: labels wider than the ticks are apart.
    setCurve(list, 7001, 700, [](double x) { return std::sin(x / 50) * 4; });
    expectSamePicture(summary, list, 700, {300, 120, 1.0f, 1.0f}, 7, "700 m");
    // Ninety kilometres of height: ninety thousand grid lines on 200 rows.
    setCurve(list, 1001, 90, [](double x) { return x < 45 ? x * 2000 : 0; });
    expectSamePicture(summary, list, 90, {1014, 200, 1.0f, 1.0f}, 6, "high grid");
}

}  // namespace
}  // namespace tarvenix
