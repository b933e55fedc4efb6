// The limit arithmetic of the Capture Control page: percentages, time left and
// the tick at which a recording stops.
#include "record/RecordLimits.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The first tick (of a recording in time mode) at which the limit is reached.
std::uint32_t StopTick(std::uint32_t seconds)
{
    std::uint32_t tick = 1;
    while (!LimitReached(TimePercent(tick, seconds))) ++tick;
    return tick;
}

TEST(RecordLimitsTest, TimeModeCountsTenTicksASecondAndStopsAt101Percent)
{
    struct Case {
        std::uint32_t tick;
        std::uint32_t percent;
        std::uint32_t left;
    };
    const Case cases[] = {{1, 1, 10},  {9, 9, 10},  {10, 10, 9},   {11, 11, 9},
                          {50, 50, 5}, {99, 99, 1}, {100, 100, 0}, {101, 101, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE("tick " + std::to_string(c.tick));
        EXPECT_EQ(c.percent, TimePercent(c.tick, 10));
        EXPECT_EQ(c.left, TimeLeftSeconds(c.tick, 10));
    }
    EXPECT_FALSE(LimitReached(100)) << "100 percent goes on";
    EXPECT_TRUE(LimitReached(101));
    EXPECT_EQ(101u, StopTick(10));
    EXPECT_EQ(11u, StopTick(1)) << "1 s: 11 * 10 / 1 = 110";
    EXPECT_EQ(31u, StopTick(3));
}

TEST(RecordLimitsTest, TimeLeftNeverCountsBelowZero)
{
    const std::uint32_t stop = StopTick(kTimeLimitMax);
    EXPECT_EQ(661904u, stop);
    EXPECT_EQ(0u, TimeLeftSeconds(stop, kTimeLimitMax)) << "the stop tick of a long limit is past it";
}

TEST(RecordLimitsTest, SizeModeStopsAtTheFirstTickAbove100Percent)
{
    struct Case {
        const char* name;
        std::uint64_t kbytes;
        std::uint32_t megabytes;
        std::uint32_t percent;
    };
    const Case cases[] = {
        {"empty file", 0, 500, 0},
        {"37 percent", 189440, 500, 37},
        {"just below 101 percent of 500 MB", 517119, 500, 100},
        {"517120 KBytes stop 500 MB", 517120, 500, 101},
        {"5171200 KBytes stop 5000 MB", 5171200, 5000, 101},
        {"just below for 5000 MB", 5171199, 5000, 100},
        {"largest limit, no overflow", 808000ull * 1024, kSizeLimitMax, 101},
        {"a file far beyond its limit is beyond it", ~0ull, 50, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.percent, SizePercent(c.kbytes, c.megabytes));
    }
}

TEST(RecordLimitsTest, LimitOfZeroIsReachedAtOnceRatherThanDividedBy)
{
    EXPECT_TRUE(LimitReached(SizePercent(0, 0)));
    EXPECT_TRUE(LimitReached(TimePercent(1, 0)));
    EXPECT_EQ(0u, TimeLeftSeconds(1, 0));
}

} // namespace
