#include "sim/tuner/Dish.h"

#include <gtest/gtest.h>

#include <functional>

using sim::Dish;
using sim::DishSettings;

namespace {

constexpr std::int64_t kStart = 5'000;

// 1.5 degrees per second, 0.1 degree per step, from 0 degrees.
Dish MakeDish(double angle = 0.0) { return Dish(DishSettings{angle, 1.5, 0.1, 80.0}, kStart); }

TEST(Dish, DriveWithTimeoutStopsByItself)
{
    Dish dish = MakeDish();
    EXPECT_FALSE(dish.DriveWest(4, kStart).empty()); // 4 seconds
    EXPECT_NEAR(dish.Angle(kStart + 2'000), 3.0, 1e-9);
    EXPECT_TRUE(dish.Moving(kStart + 3'999));
    EXPECT_FALSE(dish.Moving(kStart + 4'000));
    EXPECT_NEAR(dish.Angle(kStart + 60'000), 6.0, 1e-9);

    dish.DriveEast(2, kStart + 60'000);
    EXPECT_NEAR(dish.Angle(kStart + 90'000), 3.0, 1e-9);
}

TEST(Dish, StepsMoveWholeSteps)
{
    struct Case {
        const char* name;
        bool west;
        std::uint8_t data;
        double expected;
    };
    const Case cases[] = {
        {"one step west", true, 0xFF, 0.1},
        {"one step east", false, 0xFF, -0.1},
        {"ten steps east", false, 0xF6, -1.0},
        {"128 steps west", true, 0x80, 12.8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Dish dish = MakeDish();
        c.west ? dish.DriveWest(c.data, kStart) : dish.DriveEast(c.data, kStart);
        EXPECT_NEAR(dish.Angle(kStart + 30'000), c.expected, 1e-9);
        EXPECT_FALSE(dish.Moving(kStart + 30'000));
    }
}

TEST(Dish, HaltStopsAContinuousDrive)
{
    Dish dish = MakeDish();
    dish.DriveEast(0, kStart);
    EXPECT_TRUE(dish.Moving(kStart + 1'000));
    dish.Halt(kStart + 2'000);
    EXPECT_FALSE(dish.Moving(kStart + 2'000));
    EXPECT_NEAR(dish.Angle(kStart + 20'000), -3.0, 1e-9);
}

TEST(Dish, LimitsHoldEveryMotion)
{
    struct Case {
        const char* name;
        std::function<void(Dish&, std::int64_t)> move;
        double expected;
    };
    // Limits set at -2 (east) and +3 (west) before each move.
    const Case cases[] = {
        {"continuous drive east stops at the east limit", [](Dish& d, std::int64_t t) { d.DriveEast(0, t); }, -2.0},
        {"timed drive west stops at the west limit", [](Dish& d, std::int64_t t) { d.DriveWest(60, t); }, 3.0},
        {"steps stop at the limit", [](Dish& d, std::int64_t t) { d.DriveWest(0x80, t); }, 3.0},
        {"goto angle beyond the limit stops there", [](Dish& d, std::int64_t t) { d.GotoAngle(-40.0, t); }, -2.0},
        {"goto angle inside the limits arrives", [](Dish& d, std::int64_t t) { d.GotoAngle(1.5, t); }, 1.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Dish dish = MakeDish();
        std::int64_t t = kStart;
        dish.GotoAngle(-2.0, t);
        t += 10'000;
        dish.SetEastLimit(t);
        dish.GotoAngle(3.0, t);
        t += 10'000;
        dish.SetWestLimit(t);
        dish.GotoAngle(0.0, t);
        t += 10'000;
        c.move(dish, t);
        EXPECT_NEAR(dish.Angle(t + 200'000), c.expected, 1e-9);
    }

    Dish dish = MakeDish();
    dish.SetEastLimit(kStart);
    dish.DriveEast(0, kStart);
    EXPECT_NEAR(dish.Angle(kStart + 5'000), 0.0, 1e-9);
    dish.LimitsOff(kStart + 5'000);
    dish.DriveEast(0, kStart + 5'000);
    EXPECT_NEAR(dish.Angle(kStart + 7'000), -3.0, 1e-9);
    EXPECT_NEAR(dish.Angle(kStart + 500'000), -80.0, 1e-9) << "the end stop holds without limits";
}

TEST(Dish, StoreThenGotoReturns)
{
    Dish dish = MakeDish();
    dish.GotoAngle(7.25, kStart);
    ASSERT_FALSE(dish.Store(12, kStart + 10'000).empty());
    dish.DriveEast(0, kStart + 10'000);
    dish.Halt(kStart + 20'000);
    ASSERT_NEAR(dish.Angle(kStart + 20'000), 7.25 - 15.0, 1e-9);
    EXPECT_FALSE(dish.Goto(12, kStart + 20'000).empty());
    EXPECT_NEAR(dish.Angle(kStart + 40'000), 7.25, 1e-9);

    EXPECT_TRUE(dish.Goto(13, kStart + 40'000).empty()) << "an empty position is refused";
    EXPECT_TRUE(dish.Store(0, kStart + 40'000).empty()) << "position 0 is the reference";
    dish.Goto(0, kStart + 40'000);
    EXPECT_NEAR(dish.Angle(kStart + 60'000), 0.0, 1e-9);
}

TEST(Dish, GotoAngleTakesTimeProportionalToDistance)
{
    struct Case {
        double target;
        std::int64_t travelMs; // at 1.5 degrees per second
    };
    for (const auto& c : {Case{-10.125, 6'750}, Case{43.5, 29'000}, Case{3.0, 2'000}}) {
        SCOPED_TRACE(c.target);
        Dish dish = MakeDish();
        dish.GotoAngle(c.target, kStart);
        EXPECT_NEAR(dish.Angle(kStart + c.travelMs / 2), c.target / 2, 0.01);
        EXPECT_TRUE(dish.Moving(kStart + c.travelMs - 1));
        EXPECT_FALSE(dish.Moving(kStart + c.travelMs));
        EXPECT_NEAR(dish.Angle(kStart + c.travelMs), c.target, 1e-9);
    }
}

} // namespace
