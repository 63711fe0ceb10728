// Air density and sight setting figures.
#include <gtest/gtest.h>

#include <cmath>

#include "flight/formulas.h"
#include "platform/numbertext.h"

namespace tarvenix {
namespace {

TEST(Formulas, AirDensity) {
    struct Case {
        float temperature;
        std::int32_t pressure, altitude;
        double exact;       // the model's single-precision steps, recomputed independently
        const char* shown;  // two decimals, as the window shows it
    };
    const Case cases[] = {
        {20, 1015, 0, 1.2061980444517828, "1.21"},    {20, 1015, 500, 1.1804927759128758, "1.18"},
        {20, 1015, 1000, 1.1747421819654937, "1.17"}, {15, 1015, 0, 1.2271280821058022, "1.23"},
        {0, 1015, 0, 1.2945156773570865, "1.29"},
    };
    for (const Case& c : cases) {
        double rho = airDensity(c.temperature, c.pressure, c.altitude);
        EXPECT_EQ(rho, c.exact) << c.temperature << " " << c.altitude;
        EXPECT_EQ(formatDecimals(static_cast<float>(rho), 2), c.shown);
    }
    EXPECT_EQ(airDensity(20, 0, 0), 0.0);
    EXPECT_TRUE(std::isnan(airDensity(-273.15f, 1015, 0)));
    EXPECT_TRUE(std::isinf(airDensity(-273.15f, 1015, 10)));
}

TEST(Formulas, SightSetting) {
    EXPECT_EQ(sightSetting(1000, 6.5f), 113.93560646802774);
    EXPECT_EQ(sightSetting(1000, -1.5f), -26.185922298209643);
    EXPECT_EQ(sightSetting(1000, 0.0f), 0.0);
    EXPECT_EQ(sightSetting(0, 6.5f), 0.0);
    EXPECT_EQ(sightSetting(0, 30.0f), 0.0);
}

}  // namespace
}  // namespace tarvenix
