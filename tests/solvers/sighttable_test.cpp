// The sight table: its rows, where each search starts, its texts, and a click during it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
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

double number(const std::string& text) {
    return static_cast<double>(parseFloat(text));
}

// "-?digits.dd" followed by the suffix, as in 7.53° or -12.40.
bool fixedTwoDecimals(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size() + 4 || !text.ends_with(suffix))
        return false;
    std::string number = text.substr(text.front() == '-' ? 1 : 0);
    number.resize(number.size() - suffix.size());
    const std::size_t point = number.find('.');
    if (point == std::string::npos || point == 0 || number.size() - point != 3)
        return false;
    number.erase(point, 1);
    return number.find_first_not_of("0123456789") == std::string::npos;
}

// The integrations of one job, cut where Distance changes.
struct Block {
    std::int32_t distance;
    std::vector<HostEvent> tries;
};

std::vector<Block> blocksOf(const RecordingHost& host) {
    std::vector<Block> blocks;
    for (const HostEvent& e : host.integrationEvents()) {
        if (blocks.empty() || blocks.back().distance != e.distance)
            blocks.push_back({e.distance, {}});
        blocks.back().tries.push_back(e);
    }
    return blocks;
}

const std::vector<std::int32_t> tableDistances{90, 70, 60, 50, 40, 30, 25, 18};

JobField angleLabel(std::int32_t d) {
    switch (d) {
        case 18:
            return JobField::angleLabel18;
        case 25:
            return JobField::angleLabel25;
        case 30:
            return JobField::angleLabel30;
        case 40:
            return JobField::angleLabel40;
        case 50:
            return JobField::angleLabel50;
        case 60:
            return JobField::angleLabel60;
        case 70:
            return JobField::angleLabel70;
        default:
            return JobField::angleLabel90;
    }
}

JobField sightLabel(std::int32_t d) {
    switch (d) {
        case 18:
            return JobField::sightLabel18;
        case 25:
            return JobField::sightLabel25;
        case 30:
            return JobField::sightLabel30;
        case 40:
            return JobField::sightLabel40;
        case 50:
            return JobField::sightLabel50;
        case 60:
            return JobField::sightLabel60;
        case 70:
            return JobField::sightLabel70;
        default:
            return JobField::sightLabel90;
    }
}

// The default parameter set: the user's distance is 90 m, the angle 6.5 deg. Known figures of
// this set: 7.53 deg at 90 m, and 1,483 search steps in all.
TEST(SightTable, RowsFromFarToNearEachSearchFromTheAngleBefore) {
    RecordingHost host;
    host.params.AbstandAugeVisier = 7;
    JobContext ctx = host.context();
    runSightTable(ctx, JobInputs{"$4B0", "", "", "", ""});  // 1200 mm

    EXPECT_EQ(host.params.AbstandAugeVisier, 1200);
    EXPECT_EQ(host.params.Distance, 90);

    const std::vector<Block> blocks = blocksOf(host);
    ASSERT_EQ(blocks.size(), 9u);
    double previousAngle = 6.5;
    std::vector<std::string> expectedTexts;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Block& b = blocks[i];
        SCOPED_TRACE(b.distance);
        EXPECT_EQ(b.distance, i < 8 ? tableDistances[i] : 90);
        // The integration before the search runs at the angle the previous search left.
        EXPECT_EQ(b.tries.front().winkel, previousAngle);
        for (std::size_t k = 1; k < b.tries.size(); ++k) {
            // From far to near every search after the first lowers the angle.
            // The first and the final search go the way their start requires.
            const bool raising = b.tries.size() > 1 && b.tries[1].winkel > b.tries[0].winkel;
            const double step = (i == 0 || i == 8) && raising ? 0.01 : -0.01;
            EXPECT_EQ(b.tries[k].winkel, b.tries[k - 1].winkel + step);
        }
        previousAngle = b.tries.back().winkel;
        if (i < 8) {
            const float angle = static_cast<float>(previousAngle);
            expectedTexts.push_back(formatDecimals(angle, 2) + "\xC2\xB0");
            const double sight = sightSetting(1200, angle);
            expectedTexts.push_back(formatDecimals(static_cast<float>(sight), 2));
            // Independently: 1200 mm x tan of the angle, shown to two decimals.
            EXPECT_NEAR(number(expectedTexts.back()),
                        1200.0 * std::tan(previousAngle * 3.14159265358979 / 180.0), 0.0051);
        }
    }
    EXPECT_EQ(host.params.Winkel, previousAngle);

    std::vector<std::string> labelTexts;
    std::vector<std::string> expectedOrder;
    for (std::int32_t d : tableDistances) {
        expectedOrder.push_back(testing::fieldName(angleLabel(d)));
        expectedOrder.push_back(testing::fieldName(sightLabel(d)));
    }
    std::vector<std::string> order;
    for (const HostEvent& e : host.events) {
        if (e.kind == HostEvent::Kind::text && e.field != JobField::winkelField) {
            order.push_back(testing::fieldName(e.field));
            labelTexts.push_back(e.text);
        }
    }
    EXPECT_EQ(order, expectedOrder);
    EXPECT_EQ(labelTexts, expectedTexts);
    for (std::size_t i = 0; i < labelTexts.size(); ++i) {
        EXPECT_TRUE(fixedTwoDecimals(labelTexts[i], i % 2 == 0 ? "\xC2\xB0" : "")) << labelTexts[i];
    }

    // The angles fall from the 90 m row to the 18 m row.
    for (std::size_t i = 2; i < labelTexts.size(); i += 2) {
        EXPECT_LT(number(labelTexts[i]), number(labelTexts[i - 2])) << labelTexts[i];
    }

    ASSERT_EQ(host.events.back().kind, HostEvent::Kind::text);
    EXPECT_EQ(host.events.back().field, JobField::winkelField);
    EXPECT_EQ(host.events.back().text, formatDecimals(static_cast<float>(host.params.Winkel), 2));
    EXPECT_EQ(host.pauseLengths(), std::vector<int>(host.pauses, 10));
    EXPECT_EQ(labelTexts[0], "7.53\xC2\xB0");
    EXPECT_EQ(host.pauses, 1483);  // one per search step
}

// A cheaper flight for the tests that run the table more than once.
void coarsen(RecordingHost& host) {
    host.params.dt = 0.001;
}

TEST(SightTable, UnreadableEyeDistanceShowsZeroSettings) {
    RecordingHost host;
    coarsen(host);
    JobContext ctx = host.context();
    runSightTable(ctx, JobInputs{"abc", "", "", "", ""});
    EXPECT_EQ(host.params.AbstandAugeVisier, 0);
    for (std::int32_t d : tableDistances) {
        EXPECT_EQ(host.textsOf(sightLabel(d)), std::vector<std::string>{"0.00"}) << d;
    }
}

// A click cuts short the search running at that moment and no other: its row shows the
// angle at which it stopped, the rows after it are found as usual, and so is the final
// angle. A click left over from before the job changes nothing.
TEST(SightTable, ClickCutsShortOneSearchOnly) {
    const JobInputs inputs{"1000", "", "", "", ""};
    RecordingHost baseline;
    coarsen(baseline);
    {
        JobContext ctx = baseline.context();
        runSightTable(ctx, inputs);
    }
    const std::vector<Block> blocks = blocksOf(baseline);
    ASSERT_EQ(blocks.size(), 9u);
    ASSERT_EQ(blocks[1].distance, 70);
    ASSERT_GE(blocks[1].tries.size(), 4u);  // the integration before it and three steps
    // The click comes during the pause after the 70 m search's first step.
    const int clickAtPause = [&] {
        int pausesBefore = 0;
        for (const HostEvent& e : baseline.events) {
            if (e.kind == HostEvent::Kind::pause)
                ++pausesBefore;
            if (e.kind == HostEvent::Kind::integration && e.distance == 70)
                break;
        }
        return pausesBefore + 1;
    }();

    RecordingHost stale;
    coarsen(stale);
    stale.cancelFlag = 1;
    {
        JobContext ctx = stale.context();
        runSightTable(ctx, inputs);
    }
    EXPECT_EQ(stale.allTexts(), baseline.allTexts());

    RecordingHost clicked;
    coarsen(clicked);
    clicked.atPause = [clickAtPause](RecordingHost& h, int n) {
        if (n == clickAtPause)
            h.cancelFlag = 1;
    };
    {
        JobContext ctx = clicked.context();
        runSightTable(ctx, inputs);
    }
    EXPECT_EQ(clicked.cancelFlag.load(), 0);
    // Seen after the second step's integration, which is where the 70 m search stopped.
    const double stoppedAt = blocks[1].tries[2].winkel;
    for (std::int32_t d : tableDistances) {
        SCOPED_TRACE(d);
        if (d == 70) {
            EXPECT_EQ(clicked.textsOf(angleLabel(d)).back(),
                      formatDecimals(static_cast<float>(stoppedAt), 2) + "\xC2\xB0");
            EXPECT_NE(clicked.textsOf(angleLabel(d)), baseline.textsOf(angleLabel(d)));
        } else {
            EXPECT_EQ(clicked.textsOf(angleLabel(d)), baseline.textsOf(angleLabel(d)));
            EXPECT_EQ(clicked.textsOf(sightLabel(d)), baseline.textsOf(sightLabel(d)));
        }
    }
    EXPECT_EQ(clicked.textsOf(JobField::winkelField).back(),
              baseline.textsOf(JobField::winkelField).back());
    EXPECT_EQ(clicked.params.Winkel, baseline.params.Winkel);
}

}  // namespace
}  // namespace tarvenix
