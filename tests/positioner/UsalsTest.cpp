#include "positioner/Usals.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

using Message = std::array<std::uint8_t, 5>;

std::string Hex(const Message& message)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (auto byte : message) {
        if (!text.empty()) {
            text += ' ';
        }
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

struct SendCase {
    const char* name;
    double code;
    double longitude;
    double latitude;
    double angle; // to the hundredth
    const char* message;
};

TEST(Usals, ReachableSatellitesGiveTheAngleAndItsMessage)
{
    const SendCase cases[] = {
        {"19.2 E east of a central European site", 192, 10.0, 50.0, -10.10, "E1 31 6E E0 A2"},
        {"13.0 E close east of the site", 130, 10.0, 50.0, -3.30, "E1 31 6E E0 33"},
        {"30.0 W far west of the site", 3300, 10.0, 50.0, 43.50, "E1 31 6E D2 B6"},
        {"southern site turns the other way", 192, 10.0, -33.9, 10.46, "E1 31 6E D0 A6"},
        {"site near the pole", 192, 10.0, 89.0, -9.12, "E1 31 6E E0 92"},
        {"46 degrees spread over both bytes", 450, 0.0, 70.0, -46.63, "E1 31 6E E2 EA"},
        {"satellite east of a northern Asian site", 935, 77.2, 28.6, -18.68, "E1 31 6E E1 2A"},
        {"177.0 W seen from 170 E lies east", 1830, 170.0, 10.0, -15.24, "E1 31 6E E0 F3"},
        {"177.0 E seen from 170 W lies west", 1770, -170.0, 10.0, 15.24, "E1 31 6E D0 F3"},
        {"satellite on the site's meridian", 100, 10.0, 50.0, 0.0, "E1 31 6E E0 00"},
        {"latitude limit itself", 192, 10.0, 90.0, -9.10, "E1 31 6E E0 90"},
        {"code 1800 stays 180 and crosses the meridian", 1800, -179.0, 50.0, 1.10, "E1 31 6E D0 10"},
        {"tenths truncated, not rounded up", 119, 0.0, 52.0, -13.00, "E1 31 6E E0 CE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const UsalsCommand command = UsalsGotoCommand(c.code, c.longitude, c.latitude);
        ASSERT_EQ(command.outcome, UsalsOutcome::Send);
        EXPECT_NEAR(command.angle, c.angle, 0.005);
        EXPECT_EQ(Hex(command.message), c.message);
        EXPECT_EQ(UsalsMessageText(command.outcome), nullptr);
    }
}

struct RefuseCase {
    const char* name;
    double code;
    double longitude;
    double latitude;
    UsalsOutcome outcome;
};

TEST(Usals, RefusalsNameTheirMessageAndSendNothing)
{
    const double nan = std::nan("");
    const double inf = HUGE_VAL;
    const RefuseCase cases[] = {
        {"longitude difference within 65 but motor angle 68.6", 740, 10.0, 50.0, UsalsOutcome::OutOfReach},
        {"longitude difference 66", 760, 10.0, 50.0, UsalsOutcome::OutOfReach},
        {"limit longitude passes validation, fails reach", 192, 180.0, 50.0, UsalsOutcome::OutOfReach},
        {"code 5500 is 190 degrees", 5500, 10.0, 50.0, UsalsOutcome::InvalidInput},
        {"code below -1800", -1801, 10.0, 50.0, UsalsOutcome::InvalidInput},
        {"latitude beyond the pole", 192, 10.0, 91.0, UsalsOutcome::InvalidInput},
        {"longitude beyond 180 west", 192, -181.0, 50.0, UsalsOutcome::InvalidInput},
        {"latitude not a number", 192, 10.0, nan, UsalsOutcome::InvalidInput},
        {"longitude not a number", 192, nan, 50.0, UsalsOutcome::InvalidInput},
        {"satellite not a number", nan, 10.0, 50.0, UsalsOutcome::InvalidInput},
        {"infinite latitude", 192, 10.0, -inf, UsalsOutcome::InvalidInput},
        {"infinite satellite", inf, 10.0, 50.0, UsalsOutcome::InvalidInput},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const UsalsCommand command = UsalsGotoCommand(c.code, c.longitude, c.latitude);
        EXPECT_EQ(command.outcome, c.outcome);
        EXPECT_EQ(Hex(command.message), "00 00 00 00 00");
    }
    EXPECT_STREQ(UsalsMessageText(UsalsOutcome::InvalidInput), "Longitude or Latitude error!");
    EXPECT_STREQ(UsalsMessageText(UsalsOutcome::OutOfReach), "Can not reach this satellite from your location!");
    EXPECT_STREQ(kUsalsErrorCaption, "Error");
}

TEST(Usals, EquatorialSiteTurnsWestForWesternSatellitesAndEastForEastern)
{
    // A site on the equator counts as northern: the same sides as just north of it.
    const UsalsCommand west = UsalsGotoCommand(3550, 0.0, 0.0); // 5.0 W
    const UsalsCommand east = UsalsGotoCommand(50, 0.0, 0.0);   // 5.0 E
    const UsalsCommand justNorthWest = UsalsGotoCommand(3550, 0.0, 0.001);
    ASSERT_EQ(west.outcome, UsalsOutcome::Send);
    ASSERT_EQ(east.outcome, UsalsOutcome::Send);
    EXPECT_GT(west.angle, 0);
    EXPECT_LT(east.angle, 0);
    EXPECT_NEAR(west.angle, -east.angle, 1e-9);
    EXPECT_EQ(west.message[3] & 0xF0, 0xD0);
    EXPECT_EQ(east.message[3] & 0xF0, 0xE0);
    EXPECT_EQ(west.message[4], east.message[4]);
    EXPECT_EQ(Hex(west.message), Hex(justNorthWest.message));
}

TEST(Usals, TinyLongitudeDifferencesStayOnTheReference)
{
    // Longitudes a fraction of a millionth of a degree apart, where rounding carries
    // the cosine of the motor angle just past 1.
    const struct {
        double code;
        double longitude;
        double latitude;
    } cases[] = {
        {585, 58.500000379193999, -28.347711551762028},  {-1115, -111.4999996086225, -15.967927063405099},
        {-907, -90.699999416463783, 6.1304820799408581}, {1582, 158.19999940517428, 27.137199969671762},
        {345, 34.500000595965155, 29.89081618993665},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const UsalsCommand command = UsalsGotoCommand(c.code, c.longitude, c.latitude);
        ASSERT_EQ(command.outcome, UsalsOutcome::Send);
        EXPECT_TRUE(std::isfinite(command.angle));
        EXPECT_LT(std::fabs(command.angle), 0.01);
        EXPECT_EQ(command.message[4], 0x00);
    }
}

struct TextCase {
    const char* name;
    const char* satellite;
    const char* longitude;
    const char* latitude;
    UsalsOutcome outcome;
    const char* message;
};

TEST(Usals, PageTextsConvertLikeTheCLibrary)
{
    const TextCase cases[] = {
        {"listed entry", "0192  Astra 1KR", "10.0", "50.0", UsalsOutcome::Send, "E1 31 6E E0 A2"},
        {"typed code without a name", "0192", "10.0", "50.0", UsalsOutcome::Send, "E1 31 6E E0 A2"},
        {"typed 19.2 reads as 1.92 E, west of the site", "19.2", "10.0", "50.0", UsalsOutcome::Send, "E1 31 6E D0 8D"},
        {"western entry", "3300  Hispasat", "10.0", "50.0", UsalsOutcome::Send, "E1 31 6E D2 B6"},
        {"empty site boxes read as 0, 0", "0192  Astra", "", "", UsalsOutcome::Send, "E1 31 6E E1 68"},
        {"trailing letters are ignored", "0192", "10.0E", "50.0N", UsalsOutcome::Send, "E1 31 6E E0 A2"},
        {"a letter S does not make a southern site", "0192", "10.0", "33.9S", UsalsOutcome::Send, "E1 31 6E E0 A6"},
        {"comma is not a decimal point", "0192", "10,9", "50,0", UsalsOutcome::Send, "E1 31 6E E0 A2"},
        {"latitude nan", "0192", "10.0", "nan", UsalsOutcome::InvalidInput, "00 00 00 00 00"},
        {"longitude -nan", "0192", "-nan", "50.0", UsalsOutcome::InvalidInput, "00 00 00 00 00"},
        {"latitude inf", "0192", "10.0", "inf", UsalsOutcome::InvalidInput, "00 00 00 00 00"},
        {"satellite nan", "nan  Broken", "10.0", "50.0", UsalsOutcome::InvalidInput, "00 00 00 00 00"},
        {"latitude 91", "0192", "10.0", "91", UsalsOutcome::InvalidInput, "00 00 00 00 00"},
        {"satellite unreachable", "0760", "10.0", "50.0", UsalsOutcome::OutOfReach, "00 00 00 00 00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const UsalsCommand command = UsalsGotoCommandFromTexts(c.satellite, c.longitude, c.latitude);
        EXPECT_EQ(command.outcome, c.outcome);
        EXPECT_EQ(Hex(command.message), c.message);
    }
}

} // namespace
