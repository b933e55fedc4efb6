#include "sim/tuner/MotorGeometry.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

TEST(MotorGeometry, AnglesOfKnownSitesAndSatellites)
{
    struct Case {
        const char* name;
        double satellite;
        Site site;
        double angle; // degrees, positive west
    };
    const Case cases[] = {
        {"19.2E from central Europe", 19.2, {50.0, 10.0}, -10.10},
        {"13.0E from central Europe", 13.0, {50.0, 10.0}, -3.30},
        {"30.0W from central Europe", -30.0, {50.0, 10.0}, 43.50},
        {"19.2E from a southern site", 19.2, {-33.9, 10.0}, 10.46},
        {"east across the date line", -177.0, {10.0, 170.0}, -15.24},
        {"west across the date line", 177.0, {10.0, -170.0}, 15.24},
        {"on the site's meridian", 10.0, {50.0, 10.0}, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto angle = MotorAngleFor(c.site, c.satellite);
        ASSERT_TRUE(angle);
        EXPECT_NEAR(*angle, c.angle, 0.01);
    }
    EXPECT_FALSE(MotorAngleFor(Site{50.0, 10.0}, 100.0)) << "below the horizon";
    EXPECT_FALSE(MotorAngleFor(Site{85.0, 10.0}, 10.0)) << "the arc never rises this far north";
}

} // namespace
