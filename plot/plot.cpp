// computeTrajectory and renderPlot: the drawing of one integration and its result lines.
#include "plot/plot.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/numbertext.h"
#include "platform/conversions.h"

namespace tarvenix {

namespace {

// F(a) of the result lines: the value narrowed to single precision, two decimals.
std::string twoDecimals(double value) {
    return formatDecimals(toSingle(value), 2);
}

// Whole metres shown above (top) and below (bottom) height 0.
struct VerticalRange {
    float top;
    float bottom;
};

VerticalRange verticalRange(const TrajectoryList& list) {
    float highest = 0.0f;
    float lowest = 100.0f;
    list.forEach([&](const TrajectoryPoint& p) {
        if (highest < p.y)
            highest = toSingle(p.y);
        if (p.y < lowest)
            lowest = toSingle(p.y);
    });
    const float top = roundHalfAway(toSingle(highest + 0.5));
    float bottom = roundHalfAway(toSingle(std::fabs(lowest + 0.5)));
    if (bottom < 2)
        bottom = 2;
    return {top, bottom};
}

// Calls draw(i, value(i)) for the first index of every run of equal values of value(i)
// over first .. last, value being monotone in i. The rest of a run would draw the very
// same shape again, so it is skipped; runs are crossed by bisection, which keeps the
// number of calls near the number of distinct values however long the range is (a
// Distance of two billion metres still gives only one tick per pixel column).
template <typename Value, typename Draw>
void forEachNewValue(std::int64_t first, std::int64_t last, Value value, Draw draw) {
    if (first > last)
        return;
    std::int64_t i = first;
    std::int32_t current = value(i);
    for (;;) {
        draw(i, current);
        if (i == last)
            return;
        const std::int32_t next = value(i + 1);
        if (next != current) {
            ++i;
            current = next;
            continue;
        }
        const std::int32_t lastValue = value(last);
        if (lastValue == current)
            return;
        std::int64_t same = i + 1;    // value(same) == current
        std::int64_t differs = last;  // value(differs) != current
        std::int32_t differsValue = lastValue;
        while (differs - same > 1) {
            const std::int64_t middle = same + (differs - same) / 2;
            const std::int32_t middleValue = value(middle);
            if (middleValue == current) {
                same = middle;
            } else {
                differs = middle;
                differsValue = middleValue;
            }
        }
        i = differs;
        current = differsValue;
    }
}

// Where the canvas puts a height and a distance, for one drawing.
struct Scales {
    float sx;        // pixels per metre across
    float sy;        // pixels per metre down
    double zeroRow;  // Sy * T: the row of height 0, before rounding
};

void drawGrid(const PlotGeometry& g, const VerticalRange& range, DrawingSurface& surface) {
    const double metres = static_cast<double>(range.top) + static_cast<double>(range.bottom);
    const double rowsPerMetre = static_cast<double>(g.canvasHeight) / metres;
    forEachNewValue(
        1, nearestInt(metres),
        [&](std::int64_t i) { return nearestInt(static_cast<double>(i) * rowsPerMetre); },
        [&](std::int64_t, std::int32_t y) {
            surface.lineBySize(1, y, g.canvasWidth, 2, colours::black);
        });
}

// Labelled ticks every 10 m. Where ticks crowd (a long Distance on a narrow canvas) two
// rules keep the drawing bounded and its labels legible:
//  - of the labelled ticks that fall on one pixel column only the first is drawn, with its
//    label; the others would draw the same line and a label centred on the same column
//    over it;
//  - a label whose box (its x and its own text width) overlaps the box of the last label
//    drawn is left out, tick kept.
// So at most one label per pixel column is drawn and drawn labels never overlap; while
// ticks lie a label's width apart, every label is drawn.
// The tick lines end 5 rows above the labels, so no label box reaches a tick line and
// skipping a repeated tick leaves the picture unchanged.
void drawLabelledTicks(std::int32_t distance, const Scales& s, DrawingSurface& surface) {
    const std::int32_t tickTop = nearestInt(s.zeroRow - 10);
    const std::int32_t tickBottom = nearestInt(s.zeroRow + 10);
    const std::int32_t labelY = nearestInt(s.zeroRow + 15);
    bool anyLabel = false;
    std::int64_t labelLeft = 0;  // the last label drawn covers labelLeft .. labelRight-1
    std::int64_t labelRight = 0;
    forEachNewValue(
        0, distance / 10,
        [&](std::int64_t k) { return nearestInt(static_cast<double>(s.sx) * (10.0 * k)); },
        [&](std::int64_t k, std::int32_t column) {
            surface.line(column, tickTop, column, tickBottom, colours::black);
            const std::int64_t m = 10 * k;
            const std::string label = formatInteger(m);
            // Centred on half the width of the label one digit longer, as the plot always was.
            const int w = surface.textWidth(formatInteger(10 * m));
            const std::int32_t x = nearestInt(static_cast<double>(s.sx) * m - w / 2.0);
            const std::int64_t right = std::int64_t{x} + surface.textWidth(label);
            if (anyLabel && x < labelRight && labelLeft < right)
                return;
            surface.text(x, labelY, label, colours::black, colours::white);
            anyLabel = true;
            labelLeft = x;
            labelRight = right;
        });
}

void drawMetreTicks(std::int32_t distance, const Scales& s, DrawingSurface& surface) {
    const std::int32_t tickTop = nearestInt(s.zeroRow - 5);
    const std::int32_t tickBottom = nearestInt(s.zeroRow + 5);
    forEachNewValue(
        1, std::int64_t{distance} - 1,
        [&](std::int64_t m) { return nearestInt(static_cast<double>(s.sx) * m); },
        [&](std::int64_t, std::int32_t column) {
            surface.line(column, tickTop, column, tickBottom, colours::black);
        });
}

// nearestInt of a single-precision value known to lie in 0 < v < 2^31, without the
// checks and the double arithmetic: the dots are the plot's inner loop. For such v the
// whole part is a float too and the fraction below is exact.
inline std::int32_t nearestIntOfPositive(float v) {
    const auto whole = static_cast<std::int32_t>(v);
    const float fraction = v - static_cast<float>(whole);
    // Bitwise, not short-circuit: which way a dot's position rounds is a coin toss, and
    // a mispredicted branch per point costs more than the comparisons.
    const int up = static_cast<int>(fraction > 0.5f) |
                   (static_cast<int>(fraction == 0.5f) & static_cast<int>(whole & 1));
    return whole + up;
}

// Where a point's dot goes: px and py narrowed to single precision, then drawn only
// inside the open canvas range (a coordinate that is not a number fails every comparison
// and is not drawn either).
struct DotPlacer {
    double sx;
    double sy;
    double zeroRow;
    double maxX;  // W - 1
    double maxY;  // H - 1

    DotPlacer(const PlotGeometry& g, const Scales& s)
        : sx(s.sx),
          sy(s.sy),
          zeroRow(s.zeroRow),
          maxX(static_cast<double>(g.canvasWidth) - 1),
          maxY(static_cast<double>(g.canvasHeight) - 1) {}

    float across(double x) const { return toSingle(sx * x); }
    float down(double y) const { return toSingle(zeroRow - sy * y); }

    bool round(float px, float py, std::int32_t& column, std::int32_t& row) const {
        if (!(px < maxX && py < maxY && px > 0 && py > 0))
            return false;
        // px < W - 1 <= 2^31 - 2 as a double, so px < 2^31.
        column = nearestIntOfPositive(px);
        row = nearestIntOfPositive(py);
        return true;
    }

    bool place(double x, double y, std::int32_t& column, std::int32_t& row) const {
        return round(across(x), down(y), column, row);
    }
};

// One red dot per point. Consecutive points on the same pixel (a dozen or more per column
// with the default flight) would draw the same disc again over nothing new, so each such
// run draws it once: the picture is the same. Most points fall strictly inside the square
// of positions around the last dot that round to its pixel, and testing that is cheaper
// than rounding. (Beyond 2^23 the square's edges are not exact, but floats there are whole
// and the square holds no float other than the dot's own position.)
void drawTrajectory(const TrajectoryList& list, const PlotGeometry& g, const Scales& s,
                    DrawingSurface& surface) {
    const DotPlacer placer(g, s);
    bool drewAny = false;
    std::int32_t lastColumn = 0;
    std::int32_t lastRow = 0;
    float left = 1.0f;  // the square around the last dot, empty before the first
    float right = 0.0f;
    float top = 1.0f;
    float bottom = 0.0f;
    list.forEach([&](const TrajectoryPoint& p) {
        const float px = placer.across(p.x);
        const float py = placer.down(p.y);
        if (px > left && px < right && py > top && py < bottom)
            return;
        std::int32_t column;
        std::int32_t row;
        if (!placer.round(px, py, column, row))
            return;
        if (drewAny && column == lastColumn && row == lastRow)
            return;
        surface.filledCircle(column, row, 2, colours::red);
        drewAny = true;
        lastColumn = column;
        lastRow = row;
        left = static_cast<float>(column) - 0.5f;
        right = static_cast<float>(column) + 0.5f;
        top = static_cast<float>(row) - 0.5f;
        bottom = static_cast<float>(row) + 0.5f;
    });
}

}  // namespace

ResultLines resultLines(const TrajectorySummary& summary, double flightPathLength, float V0,
                        std::int32_t Distance) {
    const double v0 = V0;
    return {
        "VØ " + twoDecimals(summary.meanSpeed) + " m/sek. (" +
            twoDecimals(summary.meanSpeed * 3600 / 1000) + " km/h)",
        "Vmax " + twoDecimals(v0) + " m/sek. (" + twoDecimals(v0 * 3600 / 1000) + " km/h)",
        "Vmin " + twoDecimals(summary.minSpeed) + " m/sek. (" +
            twoDecimals(summary.minSpeed * 3600 / 1000) + " km/h)",
        "T " + twoDecimals(static_cast<double>(Distance) / summary.meanSpeed) + " s",
        "Ymax " + twoDecimals(summary.apexHeight) + " m (" + twoDecimals(summary.apexX) + " m)",
        "Ymin " + twoDecimals(summary.finalHeight) + " m (" + twoDecimals(summary.finalX) + " m)",
        "Anzahl Punkte " + formatInteger(std::int64_t{summary.pointCount} - 1),
        "Flugbahnweg " + twoDecimals(flightPathLength) + " m",
    };
}

ResultLines renderPlot(const TrajectorySummary& summary, const TrajectoryList& list,
                       double flightPathLength, float V0, std::int32_t Distance,
                       const PlotGeometry& geometry, DrawingSurface& surface) {
    ResultLines lines = resultLines(summary, flightPathLength, V0, Distance);
    const VerticalRange range = verticalRange(list);
    if (!surface.beginDrawing())
        return lines;

    const std::int32_t W = geometry.canvasWidth;
    const std::int32_t H = geometry.canvasHeight;
    surface.fillRect(0, 0, W, H, colours::white);
    drawGrid(geometry, range, surface);

    // With no distance to span the positions across are not numbers: no ticks, no dots.
    if (Distance > 0) {
        Scales s;
        s.sx = toSingle(static_cast<double>(W) / Distance);
        s.sy = toSingle(static_cast<double>(H) /
                        (static_cast<double>(range.top) + static_cast<double>(range.bottom)));
        s.zeroRow = static_cast<double>(s.sy) * static_cast<double>(range.top);
        drawLabelledTicks(Distance, s, surface);
        drawMetreTicks(Distance, s, surface);
        drawTrajectory(list, geometry, s, surface);
        std::int32_t column;
        std::int32_t row;
        if (DotPlacer(geometry, s).place(summary.apexX, summary.apexHeight, column, row)) {
            surface.filledCircle(column, row, 3, colours::green);
        }
    }

    surface.usePlotFont();
    const std::int32_t x = nearestInt(static_cast<double>(geometry.scaleX) * 15);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double row = 10.0 + 20.0 * static_cast<double>(i);
        surface.text(x, nearestInt(static_cast<double>(geometry.scaleY) * row), lines[i],
                     colours::black, colours::white);
    }
    surface.endDrawing();
    return lines;
}

ResultLines computeTrajectory(const ParameterSet& params, TrajectoryList& list,
                              FlightResults& results, const PlotGeometry& geometry,
                              DrawingSurface& surface) {
    const TrajectorySummary summary = integrateTrajectory(params, list, results);
    return renderPlot(summary, list, results.flightPathLength, params.V0, params.Distance, geometry,
                      surface);
}

}  // namespace tarvenix
