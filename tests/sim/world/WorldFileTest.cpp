#include "sim/world/WorldFile.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

constexpr const char* kWorld = R"([World]
Tuners=N72B, N71 ,,U31       ; tuner sections in enumeration order
Site=-33.9,18.4
Sky=/srv/sky
Demultiplexer=0
Tee=1
NetworkProvider=0
TuningSpaceStore=0
TransportInformation=0
DeviceRemovalAfter=2500

[Tuner.N72B]
Name=Kavro N72 DVBS/S2 Tuner B   ; friendly name
Kind=pcie
InputPin=Input0 (Satellite)
FilterKs=0
Topology=1
Statistics=0
Cable=roof
BDA.13=unsupported
BDA.23=fail
BDA.0=positive

[Tuner.N71]
Kind=PCIE
PinKs=0
Capture=0

[Tuner.U31]
Name=Kavro U31 DVBS2 Tuner
Kind=usb
Cable=Roof
BDA.14=supported
CTRL.20=Positive

[Cable.Roof]
Lnb=5150,5750,0
PortA=motor
PortB=sat 3300
PortC=none
Default=B
MotorAngle=-12.5
MotorSpeed=2.0
MotorStep=0.05
MotorActsOnRepeat=1
)";

TEST(WorldFile, ReadsEveryKey)
{
    const World world = ParseWorldText(kWorld);
    EXPECT_DOUBLE_EQ(world.site.latitude, -33.9);
    EXPECT_DOUBLE_EQ(world.site.longitude, 18.4);
    EXPECT_EQ(world.sky, "/srv/sky");
    EXPECT_FALSE(world.demultiplexer);
    EXPECT_TRUE(world.tee);
    EXPECT_FALSE(world.networkProvider);
    EXPECT_FALSE(world.tuningSpaceStore);
    EXPECT_FALSE(world.transportInformation);
    EXPECT_EQ(world.deviceRemovalAfterMs, 2500u);

    ASSERT_EQ(world.tuners.size(), 3u);
    const TunerSpec& b = world.tuners[0];
    EXPECT_EQ(b.section, "N72B");
    EXPECT_EQ(b.name, "Kavro N72 DVBS/S2 Tuner B");
    EXPECT_EQ(b.inputPin, "Input0 (Satellite)");
    EXPECT_FALSE(b.filterKs);
    EXPECT_TRUE(b.pinKs);
    EXPECT_FALSE(b.statistics);
    EXPECT_EQ(b.modes.Mode(PropertySet::Bda, 13), PropertyMode::Unsupported);
    EXPECT_EQ(b.modes.Mode(PropertySet::Bda, 23), PropertyMode::Fail);
    EXPECT_EQ(b.modes.Mode(PropertySet::Bda, 0), PropertyMode::Positive);
    EXPECT_EQ(b.modes.Mode(PropertySet::Bda, 12), PropertyMode::Supported);
    EXPECT_EQ(b.modes.Mode(PropertySet::Ctrl, 1), PropertyMode::Unsupported);

    const TunerSpec& n71 = world.tuners[1];
    EXPECT_FALSE(n71.name) << "without the key the name cannot be read";
    EXPECT_FALSE(n71.pinKs);
    EXPECT_FALSE(n71.capture);
    EXPECT_EQ(n71.cable, "Home");

    const TunerSpec& usb = world.tuners[2];
    EXPECT_EQ(usb.kind, TunerKind::Usb);
    EXPECT_EQ(usb.modes.Mode(PropertySet::Ctrl, 3), PropertyMode::Supported);
    EXPECT_EQ(usb.modes.Mode(PropertySet::Ctrl, 20), PropertyMode::Positive);
    EXPECT_EQ(usb.modes.Mode(PropertySet::Bda, 14), PropertyMode::Supported);
    EXPECT_EQ(usb.modes.Mode(PropertySet::Bda, 12), PropertyMode::Unsupported);

    const CableSpec cable = world.CableOf(b);
    EXPECT_EQ(cable.lnb.lowMhz, 5150u);
    EXPECT_EQ(cable.lnb.highMhz, 5750u);
    EXPECT_EQ(cable.lnb.switchMhz, 0u);
    EXPECT_EQ(cable.ports[0].kind, PortKind::Motor);
    EXPECT_EQ(cable.ports[1].kind, PortKind::FixedLnb);
    EXPECT_EQ(cable.ports[1].positionCode, 3300);
    EXPECT_EQ(cable.ports[2].kind, PortKind::None);
    EXPECT_EQ(cable.ports[3].kind, PortKind::None);
    EXPECT_EQ(cable.defaultPort, 1);
    EXPECT_DOUBLE_EQ(cable.motor.angle, -12.5);
    EXPECT_DOUBLE_EQ(cable.motor.speed, 2.0);
    EXPECT_DOUBLE_EQ(cable.motor.step, 0.05);
    EXPECT_TRUE(cable.motorActsOnRepeat);
    EXPECT_EQ(world.CableOf(usb).defaultPort, 1) << "cable names match without regard to case";

    // Only the missing [Cable.Home] of N71 is worth a warning.
    EXPECT_EQ(world.warnings, (std::vector<std::string>{"[Cable.Home] is missing; that cable has nothing on it"}));
}

TEST(WorldFile, BadValuesKeepTheirDefaultsAndAreNamed)
{
    struct Case {
        const char* text;
        const char* warning;
    };
    const Case cases[] = {
        {"[World]\nSite=north\n", "[World] Site=north is not latitude,longitude in degrees; the default stays"},
        {"[World]\nSite=95,10\n", "[World] Site=95,10 is not latitude,longitude in degrees; the default stays"},
        {"[World]\nTee=yes\n", "[World] Tee=yes is not 0 or 1; the default stays"},
        {"[World]\nDeviceRemovalAfter=-1\n",
         "[World] DeviceRemovalAfter=-1 is not a number from 0 to 86400000; the default stays"},
        {"[World]\nTuners=X\n[Tuner.X]\nName=x\nKind=pci\nCable=C\n[Cable.C]\n",
         "[Tuner.X] Kind=pci is not pcie or usb; the default stays"},
        {"[World]\nTuners=X\n[Tuner.X]\nName=x\nBDA.13=maybe\nCable=C\n[Cable.C]\n",
         "[Tuner.X] BDA.13=maybe is not supported, unsupported, fail or positive; the default stays"},
        {"[World]\nTuners=X\n[Tuner.X]\nName=x\nCable=C\n[Cable.C]\nPortA=sat 19.2\n",
         "[Cable.C] PortA=sat 19.2 is not \"sat NNNN\", \"motor\" or \"none\"; the default stays"},
        {"[World]\nTuners=X\n[Tuner.X]\nName=x\nCable=C\n[Cable.C]\nDefault=E\n",
         "[Cable.C] Default=E is not A, B, C or D; the default stays"},
        {"[World]\nTuners=X\n[Tuner.X]\nName=x\nCable=C\n[Cable.C]\nMotorSpeed=0\n",
         "[Cable.C] MotorSpeed=0 is not a number from 0.01 to 100; the default stays"},
        {"[World]\nTuners=X\n[Tuner.X]\nName=x\nCable=C\n[Cable.C]\nLnb=9750,10600\n",
         "[Cable.C] Lnb=9750,10600 is not low,high,switch in MHz; the default stays"},
        {"[World]\nTuners=Q\n", "[Tuner.Q] is missing; the tuner takes every default and has no name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const World world = ParseWorldText(c.text);
        ASSERT_FALSE(world.warnings.empty());
        EXPECT_EQ(world.warnings.front(), c.warning);
        EXPECT_DOUBLE_EQ(world.site.latitude, 50.0);
        EXPECT_TRUE(world.tee);
    }
}

TEST(WorldFile, ZeroTunersAndUnreadableFiles)
{
    const World empty = ParseWorldText("[World]\nTuners=\n");
    EXPECT_TRUE(empty.tuners.empty());
    EXPECT_TRUE(ParseWorldText("").tuners.empty());
    EXPECT_EQ(ParseWorldText("\xFF\xFE garbage \x00 [[[").tuners.size(), 0u);

    TempDir dir;
    std::string error;
    EXPECT_FALSE(LoadWorldFile(dir / "missing.ini", &error));
    EXPECT_NE(error.find("missing.ini: cannot be read"), std::string::npos);
    TempDir::WriteFile(dir / "world.ini", kWorld);
    const auto world = LoadWorldFile(dir / "world.ini", &error);
    ASSERT_TRUE(world);
    EXPECT_EQ(world->tuners.size(), 3u);
}

} // namespace
