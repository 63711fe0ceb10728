// The plot by pixel probes: vertical range, grid, ticks and labels, dots, result lines, and
// the inputs that have no sensible picture (no distance, a huge distance, not-a-number).
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "flight/parameters.h"
#include "flight/trajectory.h"
#include "platform/conversions.h"
#include "plot/plot.h"
#include "testsurface.h"

namespace tarvenix {
namespace {

using plottest::Picture;
using plottest::TestSurface;

constexpr PlotGeometry canvas{1014, 200, 1.0f, 1.0f};
const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

// A list of bare positions (m); the plot reads nothing else of a point.
void setPoints(TrajectoryList& list, std::initializer_list<std::pair<double, double>> positions) {
    list.clear();
    for (const auto& [x, y] : positions) {
        TrajectoryPoint* p = list.appendSlot();
        *p = TrajectoryPoint{};
        p->x = x;
        p->y = y;
    }
}

std::set<int> rowsOf(const Picture& p, int x, Colour c) {
    std::set<int> rows;
    for (int y = 0; y < p.buffer.height; ++y) {
        if (p.is(x, y, c))
            rows.insert(y);
    }
    return rows;
}

std::set<int> columnsOf(const Picture& p, int y, Colour c) {
    std::set<int> columns;
    for (int x = 0; x < p.buffer.width; ++x) {
        if (p.is(x, y, c))
            columns.insert(x);
    }
    return columns;
}

// Columns left of this one hold the result lines, whose white boxes cover what lies below.
constexpr int rightOfTexts = 200;

// Black exactly at the expected positions from `from` on, where a red dot drawn later may
// cover it.
void expectBlackAt(const std::set<int>& black, const std::set<int>& red,
                   const std::set<int>& expected, const std::string& where, int from = 0) {
    for (int b : black) {
        if (b < from)
            continue;
        EXPECT_TRUE(expected.count(b)) << where << ": stray black at " << b;
    }
    for (int e : expected) {
        if (e < from)
            continue;
        EXPECT_TRUE(black.count(e) || red.count(e)) << where << ": missing black at " << e;
    }
}

bool anyPixel(const Picture& p, Colour c) {
    for (int y = 0; y < p.buffer.height; ++y) {
        for (int x = 0; x < p.buffer.width; ++x) {
            if (p.is(x, y, c))
                return true;
        }
    }
    return false;
}

std::vector<std::string> textsOf(const std::vector<plottest::DrawnText>& texts) {
    std::vector<std::string> result;
    for (const auto& t : texts)
        result.push_back(t.text);
    return result;
}

struct Flight {
    TrajectoryList list;
    FlightResults results;
    TestSurface surface{canvas.canvasWidth, canvas.canvasHeight};
    ResultLines lines;

    explicit Flight(const ParameterSet& params) {
        lines = computeTrajectory(params, list, results, canvas, surface);
    }
};

ParameterSet withAngle(double winkel) {
    ParameterSet p = defaultParameterSet();
    p.Winkel = winkel;
    return p;
}

ParameterSet withDistance(std::int32_t distance) {
    ParameterSet p = defaultParameterSet();
    p.Distance = distance;
    return p;
}

// The default flight rises to 2.51 m and ends at -1.91 m: T = 3, B = 2, so 40 rows per
// metre and height 0 on row 120; 1014 / 90 pixels per metre across.
TEST(Plot, DefaultFlight) {
    Flight run(defaultParameterSet());
    const Picture& p = run.surface.picture;

    EXPECT_EQ(run.lines, (ResultLines{
                             "VØ 55.73 m/sek. (200.62 km/h)",
                             "Vmax 65.00 m/sek. (234.00 km/h)",
                             "Vmin 49.00 m/sek. (176.39 km/h)",
                             "T 1.61 s",
                             "Ymax 2.51 m (42.05 m)",
                             "Ymin -1.91 m (90.00 m)",
                             "Anzahl Punkte 16219",
                             "Flugbahnweg 90.39 m",
                         }));
    EXPECT_EQ(run.surface.drawingsBegun, 1);
    EXPECT_EQ(run.surface.drawingsEnded, 1);

    // Labels 0 .. 90 in the start font, each centred on half the width of the label one
    // digit longer (6 pixels a character), below the axis; then the result lines.
    const std::vector<int> labelX = {-3, 104, 216, 329, 442, 554, 667, 780, 892, 1005};
    ASSERT_EQ(run.surface.texts.size(), labelX.size() + 8);
    for (std::size_t i = 0; i < labelX.size(); ++i) {
        const auto& t = run.surface.texts[i];
        EXPECT_EQ(t.text, std::to_string(10 * i));
        EXPECT_EQ(t.x, labelX[i]) << t.text;
        EXPECT_EQ(t.y, 135) << t.text;
        EXPECT_FALSE(t.plotFont);
    }
    for (std::size_t i = 0; i < 8; ++i) {
        const auto& t = run.surface.texts[labelX.size() + i];
        EXPECT_EQ(t.text, run.lines[i]);
        EXPECT_EQ(t.x, 15);
        EXPECT_EQ(t.y, static_cast<int>(10 + 20 * i));
        EXPECT_TRUE(t.plotFont);
    }

    // Grid lines from (1, y) to (1014, y+1): rows 40, 80, 120, 160 on the left half, one
    // lower on the right half; none at the top edge.
    expectBlackAt(rowsOf(p, 300, colours::black), rowsOf(p, 300, colours::red), {40, 80, 120, 160},
                  "column 300");
    expectBlackAt(rowsOf(p, 700, colours::black), rowsOf(p, 700, colours::red), {41, 81, 121, 161},
                  "column 700");
    EXPECT_TRUE(rowsOf(p, 0, colours::black).count(40) == 0);  // grid lines start at x = 1

    // Labelled ticks reach rows 110 .. 130, metre ticks 115 .. 125.
    const float sx = toSingle(1014.0 / 90);
    std::set<int> labelled;
    std::set<int> metre;
    for (int m = 0; m <= 90; ++m) {
        const int column = nearestInt(static_cast<double>(sx) * m);
        if (column >= canvas.canvasWidth)
            continue;
        (m % 10 == 0 ? labelled : metre).insert(column);
    }
    EXPECT_EQ(labelled, (std::set<int>{0, 113, 225, 338, 451, 563, 676, 789, 901}));
    std::set<int> allTicks = labelled;
    allTicks.insert(metre.begin(), metre.end());
    for (int row : {110, 114, 126, 130}) {
        expectBlackAt(columnsOf(p, row, colours::black), columnsOf(p, row, colours::red), labelled,
                      "row " + std::to_string(row), rightOfTexts);
    }
    for (int row : {115, 117, 125}) {
        expectBlackAt(columnsOf(p, row, colours::black), columnsOf(p, row, colours::red), allTicks,
                      "row " + std::to_string(row), rightOfTexts);
    }
    for (int row : {109, 131})
        EXPECT_TRUE(columnsOf(p, row, colours::black).empty()) << row;
    // The result lines' boxes lie over the ticks: row 111 is inside the box of "Ymin ...".
    EXPECT_TRUE(p.is(113, 111, colours::white) && p.is(0, 111, colours::black));

    // The highest point: a green disc of radius 3 at (474, 20), over the red dots.
    for (int dx = -3; dx <= 3; ++dx)
        EXPECT_TRUE(p.is(474 + dx, 20, colours::green)) << dx;
    EXPECT_TRUE(p.is(474, 17, colours::green) && p.is(474, 23, colours::green));
    EXPECT_FALSE(p.is(474, 16, colours::green) || p.is(478, 20, colours::green));
    // 16,220 points, a disc drawn once per run of points on the same pixel.
    EXPECT_LT(run.surface.circleCalls, 16220 / 4);
    EXPECT_GT(run.surface.circleCalls, 500);
}

TEST(Plot, NoGreenDotWithoutRise) {
    for (double winkel : {0.0, -2.0}) {
        Flight run(withAngle(winkel));
        EXPECT_FALSE(anyPixel(run.surface.picture, colours::green)) << winkel;
        EXPECT_TRUE(anyPixel(run.surface.picture, colours::red)) << winkel;
    }
}

// T from the highest and B from the lowest y: halves away from zero, B at least 2.
TEST(Plot, VerticalRangeInWholeMetres) {
    struct Case {
        double highest;
        double lowest;
        int top;
        int bottom;
    };
    const Case cases[] = {
        {2.5, -1.0, 3, 2}, {2.4, -2.9, 3, 2}, {2.4, -3.0, 3, 3},
        {3.0, -3.1, 4, 3}, {0.0, -5.3, 1, 5}, {0.0, 0.0, 1, 2},
    };
    for (const Case& c : cases) {
        TrajectoryList list;
        setPoints(list, {{0, 0}, {1, c.highest}, {2, c.lowest}});
        TestSurface s(canvas.canvasWidth, canvas.canvasHeight);
        renderPlot({}, list, 0, 65.0f, 90, canvas, s);
        const std::string name =
            "highest " + std::to_string(c.highest) + " lowest " + std::to_string(c.lowest);

        const int metres = c.top + c.bottom;
        std::set<int> grid;
        for (int i = 1; i <= metres; ++i) {
            const int row = nearestInt(i * (200.0 / metres));
            if (row < 200)
                grid.insert(row);
        }
        EXPECT_EQ(rowsOf(s.picture, 300, colours::black), grid) << name;

        // The tick at 40 m spans 10 rows either side of height 0.
        const double zeroRow = static_cast<double>(toSingle(200.0 / metres)) * c.top;
        std::set<int> tick = grid;
        for (int row = nearestInt(zeroRow - 10); row <= nearestInt(zeroRow + 10); ++row) {
            tick.insert(row);
        }
        std::set<int> nearTick;
        for (int row : rowsOf(s.picture, 451, colours::black)) {
            if (row < nearestInt(zeroRow + 15))
                nearTick.insert(row);
        }
        std::set<int> expectedNearTick;
        for (int row : tick) {
            if (row < nearestInt(zeroRow + 15))
                expectedNearTick.insert(row);
        }
        EXPECT_EQ(nearTick, expectedNearTick) << name;
    }
}

// Distance 25: labelled ticks at 0, 10 and 20 only, metre ticks 1 to 24, 25 m across.
TEST(Plot, TicksOfAShortDistance) {
    TrajectoryList list;
    setPoints(list, {{0, 0}, {12.5, 0}, {24.9, 0}});
    TestSurface s(canvas.canvasWidth, canvas.canvasHeight);
    renderPlot({}, list, 0, 65.0f, 25, canvas, s);
    const Picture& p = s.picture;

    EXPECT_EQ(textsOf(s.labels()), (std::vector<std::string>{"0", "10", "20"}));
    // T = 1, B = 2: height 0 on row 66.67; labelled ticks on rows 57 .. 77, metre ticks 62 .. 72.
    EXPECT_EQ(columnsOf(p, 59, colours::black), (std::set<int>{0, 406, 811}));
    std::set<int> ticks;
    const double sx = toSingle(1014.0 / 25);
    for (int m = 0; m <= 24; ++m)
        ticks.insert(nearestInt(sx * m));
    EXPECT_EQ(columnsOf(p, 64, colours::black), ticks);
    EXPECT_EQ(*ticks.rbegin(), 973);
    for (int row = 57; row <= 77; ++row) {
        EXPECT_TRUE(p.is(811, row, colours::black)) << row;
        EXPECT_EQ(p.is(973, row, colours::black), row >= 62 && row <= 72) << row;
    }
    // The dots at 12.5 m and 24.9 m lie at columns 507 and 1010 on the height-0 row.
    EXPECT_TRUE(p.is(507, 67, colours::red) && p.is(1010, 67, colours::red));
    EXPECT_FALSE(p.is(0, 67, colours::red));
}

// The labels are measured in the font a drawing starts with, and centred on half the width
// of the label one digit longer: a real half, rounded to even.
TEST(Plot, LabelCentring) {
    struct Case {
        int width;
        int distance;
        int charWidth;
        std::string label;
        int x;
    };
    const Case cases[] = {
        {1000, 100, 5, "0", -2},    // 0 - 2.5
        {1000, 100, 7, "0", -4},    // 0 - 3.5
        {1000, 100, 5, "10", 92},   // 100 - 7.5, the width of "100"
        {1000, 100, 7, "10", 90},   // 100 - 10.5
        {1000, 100, 5, "20", 192},  // 200 - 7.5
        {1014, 90, 6, "10", 104},   // 112.67 - 9
    };
    for (const Case& c : cases) {
        TrajectoryList list;
        setPoints(list, {{0, 0}});
        TestSurface s(c.width, 200, c.charWidth, 9);
        renderPlot({}, list, 0, 65.0f, c.distance, {c.width, 200, 1.0f, 1.0f}, s);
        bool found = false;
        for (const auto& t : s.labels()) {
            if (t.text != c.label)
                continue;
            found = true;
            EXPECT_EQ(t.x, c.x) << c.label << " with " << c.charWidth << " pixels a character";
        }
        EXPECT_TRUE(found) << c.label;
    }
}

TEST(Plot, ResultLineTexts) {
    TrajectorySummary s;
    s.pointCount = 3;
    s.meanSpeed = 60.125;
    s.minSpeed = 48.5;
    s.apexHeight = 1.005;
    s.apexX = 30.0;
    s.finalHeight = -0.2;
    s.finalX = 70.004;
    EXPECT_EQ(resultLines(s, 70.5, 61.5f, 70), (ResultLines{
                                                   "VØ 60.12 m/sek. (216.45 km/h)",
                                                   "Vmax 61.50 m/sek. (221.40 km/h)",
                                                   "Vmin 48.50 m/sek. (174.60 km/h)",
                                                   "T 1.16 s",
                                                   "Ymax 1.00 m (30.00 m)",
                                                   "Ymin -0.20 m (70.00 m)",
                                                   "Anzahl Punkte 2",
                                                   "Flugbahnweg 70.50 m",
                                               }));

    // Values that are not numbers, overflow single precision or the point count.
    TrajectorySummary odd;
    odd.pointCount = INT_MIN;
    odd.meanSpeed = nan;
    odd.minSpeed = 1e300;
    odd.apexHeight = -inf;
    const ResultLines lines = resultLines(odd, -1e39, nan, 5);
    EXPECT_EQ(lines[0], "VØ NaN m/sek. (NaN km/h)");
    EXPECT_EQ(lines[1], "Vmax NaN m/sek. (NaN km/h)");
    EXPECT_EQ(lines[2], "Vmin +Infinity m/sek. (+Infinity km/h)");
    EXPECT_EQ(lines[3], "T NaN s");
    EXPECT_EQ(lines[4], "Ymax -Infinity m (0.00 m)");
    EXPECT_EQ(lines[6], "Anzahl Punkte -2147483649");
    EXPECT_EQ(lines[7], "Flugbahnweg -Infinity m");
    odd.meanSpeed = 0.0;
    EXPECT_EQ(resultLines(odd, 0, 0.0f, 5)[3], "T +Infinity s");
}

// No distance to span: the background, the grid and the result lines, nothing else.
TEST(Plot, NoDistanceDrawsGridAndTextsOnly) {
    for (std::int32_t distance : {0, -7, INT_MIN}) {
        Flight run(withDistance(distance));
        const Picture& p = run.surface.picture;
        EXPECT_EQ(run.list.size(), 1u);
        EXPECT_EQ(run.lines[0], "VØ 65.00 m/sek. (234.00 km/h)");
        EXPECT_EQ(run.lines[2], "Vmin 1000.00 m/sek. (3600.00 km/h)");
        EXPECT_EQ(run.lines[4], "Ymax 0.00 m (0.00 m)");
        EXPECT_EQ(run.lines[5], "Ymin 0.00 m (0.00 m)");
        EXPECT_EQ(run.lines[6], "Anzahl Punkte 0");
        EXPECT_TRUE(run.surface.labels().empty());
        EXPECT_EQ(textsOf(run.surface.texts),
                  std::vector<std::string>(run.lines.begin(), run.lines.end()));
        EXPECT_FALSE(anyPixel(p, colours::red) || anyPixel(p, colours::green));
        EXPECT_EQ(run.surface.lineCalls, 0);
        // T = 1, B = 2: grid rows 67 and 133; the first column is background only.
        EXPECT_EQ(rowsOf(p, 300, colours::black), (std::set<int>{67, 133}));
        EXPECT_EQ(rowsOf(p, 0, colours::white).size(), 200u);
    }
}

TEST(Plot, DrawingThatCannotBeginIsSkipped) {
    ParameterSet params = defaultParameterSet();
    TrajectoryList list;
    FlightResults results;
    TestSurface s(canvas.canvasWidth, canvas.canvasHeight);
    s.canBegin = false;
    const std::vector<std::uint32_t> before = s.picture.storage;
    const ResultLines lines = computeTrajectory(params, list, results, canvas, s);
    EXPECT_EQ(lines[6], "Anzahl Punkte 16219");
    EXPECT_EQ(s.shapeCalls, 0);
    EXPECT_TRUE(s.texts.empty());
    EXPECT_EQ(s.drawingsEnded, 0);
    EXPECT_EQ(s.picture.storage, before);
}

// Two billion metres across 1014 pixels: every column holds some 200,000 labelled ticks.
// One tick per column is drawn, and labels never over one another.
TEST(Plot, HugeDistanceDrawsInBoundedTime) {
    for (std::int32_t distance : {2000000000, INT_MAX}) {
        TrajectoryList list;
        setPoints(list, {{0, 0}, {1e9, 1.0}, {2e9, -1.0}});
        TestSurface s(canvas.canvasWidth, canvas.canvasHeight);
        renderPlot({}, list, 0, 65.0f, distance, canvas, s);
        const Picture& p = s.picture;

        EXPECT_LE(s.lineCalls, 2 * (canvas.canvasWidth + 1));
        const auto labels = s.labels();
        EXPECT_LE(labels.size(), static_cast<std::size_t>(canvas.canvasWidth));
        ASSERT_GE(labels.size(), 2u);
        EXPECT_EQ(labels[0].text, "0");
        for (std::size_t i = 1; i < labels.size(); ++i) {
            const int previousRight =
                labels[i - 1].x + 6 * static_cast<int>(labels[i - 1].text.size());
            EXPECT_GE(labels[i].x, previousRight) << labels[i].text;
        }
        // T = 2, B = 2: height 0 on row 100; a labelled tick in every column.
        const std::set<int> black = columnsOf(p, 92, colours::black);
        EXPECT_EQ(std::distance(black.lower_bound(rightOfTexts), black.end()), 1014 - rightOfTexts);
        EXPECT_TRUE(black.count(0));
        const int column = nearestInt(static_cast<double>(toSingle(1014.0 / distance)) * 1e9);
        EXPECT_TRUE(p.is(column, 50, colours::red)) << column;  // the point at 1e9 m, 1 m high
    }
}

// Not-a-number and out-of-range inputs: nothing drawn from them, no undefined behaviour
// (the sanitizer build checks the conversions), and bounded time.
TEST(Plot, NotANumberAndOutOfRangeInputs) {
    {
        TrajectoryList list;
        setPoints(list,
                  {{0, 0}, {nan, 1}, {5, nan}, {inf, 0}, {-inf, 0}, {1e300, -1e300}, {1e30, 0}});
        TrajectorySummary summary;
        summary.apexX = nan;
        summary.apexHeight = 1;
        TestSurface s(canvas.canvasWidth, canvas.canvasHeight);
        renderPlot(summary, list, nan, std::numeric_limits<float>::quiet_NaN(), 90, canvas, s);
        EXPECT_FALSE(anyPixel(s.picture, colours::red) || anyPixel(s.picture, colours::green));
        EXPECT_EQ(s.labels().size(), 10u);
    }
    {
        // A height of 1e30 m: T = 1e30 and 1e30 grid lines, all on the top rows.
        TrajectoryList list;
        setPoints(list, {{0, 0}, {10, 1e30}, {20, -1e30}});
        TestSurface s(canvas.canvasWidth, canvas.canvasHeight);
        renderPlot({}, list, 0, 65.0f, 90, canvas, s);
        EXPECT_EQ(s.lineBySizeCalls, 1);
        EXPECT_EQ(rowsOf(s.picture, 300, colours::black), (std::set<int>{0}));
    }
    {
        // Infinite heights: Sy is 0 and the row of height 0 is not a number.
        TrajectoryList list;
        setPoints(list, {{0, 0}, {10, inf}, {20, -inf}});
        TestSurface s(canvas.canvasWidth, canvas.canvasHeight);
        renderPlot({}, list, 0, 65.0f, 90, canvas, s);
        EXPECT_EQ(s.lineBySizeCalls, 1);
        EXPECT_FALSE(anyPixel(s.picture, colours::red));
    }
    {
        // A layout scale that is not a number puts the result lines far off the canvas.
        TrajectoryList list;
        setPoints(list, {{0, 0}});
        TestSurface s(canvas.canvasWidth, canvas.canvasHeight);
        const float nanF = std::numeric_limits<float>::quiet_NaN();
        renderPlot({}, list, 0, 65.0f, 90, {1014, 200, nanF, 1e30f}, s);
        ASSERT_EQ(s.texts.size(), 18u);
        EXPECT_EQ(s.texts[10].x, INT_MIN);
        EXPECT_EQ(s.texts[11].y, INT_MAX);
    }
}

}  // namespace
}  // namespace tarvenix
