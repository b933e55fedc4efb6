#include "sim/world/DefaultWorld.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

TEST(DefaultWorld, OneTunerOfEachModelOnTheHomeCable)
{
    const World world = DefaultWorld();
    EXPECT_TRUE(world.warnings.empty());
    struct Expected {
        const char* name;
        TunerKind kind;
    };
    const Expected tuners[] = {
        {"Kavro N71 DVBS/S2 Tuner", TunerKind::Pcie},
        {"Kavro N72 DVBS/S2 Tuner A", TunerKind::Pcie},
        {"Kavro N72 DVBS/S2 Tuner B", TunerKind::Pcie},
        {"Kavro U31 DVBS2 Tuner", TunerKind::Usb},
    };
    ASSERT_EQ(world.tuners.size(), std::size(tuners));
    for (std::size_t i = 0; i < std::size(tuners); ++i) {
        SCOPED_TRACE(tuners[i].name);
        EXPECT_EQ(world.tuners[i].name, tuners[i].name);
        EXPECT_EQ(world.tuners[i].kind, tuners[i].kind);
        const CableSpec cable = world.CableOf(world.tuners[i]);
        EXPECT_EQ(cable.ports[0].kind, PortKind::FixedLnb);
        EXPECT_EQ(cable.ports[0].positionCode, 192);
        EXPECT_EQ(cable.ports[1].positionCode, 130);
        EXPECT_EQ(cable.ports[2].kind, PortKind::Motor);
        EXPECT_EQ(cable.ports[3].kind, PortKind::None);
    }
    EXPECT_DOUBLE_EQ(world.site.latitude, 50.0);
    EXPECT_DOUBLE_EQ(world.site.longitude, 10.0);
    EXPECT_EQ(world.sky, "Transponders");
}

} // namespace
