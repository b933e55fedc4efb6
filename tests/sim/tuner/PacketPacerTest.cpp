#include "sim/tuner/PacketPacer.h"

#include <gtest/gtest.h>

using sim::PacketPacer;

namespace {

TEST(PacketPacer, CountsWholePacketsDueWithoutDrift)
{
    struct Case {
        const char* name;
        std::uint64_t bitrate;
        std::int64_t stepMs;
        std::int64_t totalMs;
        std::uint64_t expected; // floor(total * bitrate / 1504 bits)
    };
    const Case cases[] = {
        {"38 Mbit/s in 10 ms steps for 10 s", 38'014'705, 10, 10'000, 252'757},
        {"1 Mbit/s in 7 ms steps for 1 s", 1'000'000, 7, 1'001, 665},
        {"one packet per second", 1'504, 100, 5'000, 5},
        {"a day at 120 Mbit/s in one step", 120'000'000, 86'400'000, 86'400'000, 6'893'617'021},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PacketPacer pacer(c.bitrate, 100);
        std::uint64_t taken = 0;
        for (std::int64_t t = 0; t < c.totalMs;) {
            t = std::min(c.totalMs, t + c.stepMs);
            taken += pacer.Take(100 + t, ~0ull);
        }
        EXPECT_EQ(taken, c.expected);
        EXPECT_EQ(pacer.Taken(), c.expected);
    }
}

TEST(PacketPacer, TakesNoMoreThanAskedAndCatchesUpLater)
{
    PacketPacer pacer(1'504'000, 0); // 1000 packets per second
    EXPECT_EQ(pacer.Take(0, 10), 0u);
    EXPECT_EQ(pacer.Take(-50, 10), 0u) << "time before the start";
    EXPECT_EQ(pacer.Take(100, 30), 30u);
    EXPECT_EQ(pacer.Take(100, 1000), 70u);
    EXPECT_EQ(pacer.Take(100, 1000), 0u);
    EXPECT_EQ(pacer.MsUntilNext(100), 1);
    EXPECT_EQ(pacer.MsUntilNext(101), 0);
}

TEST(PacketPacer, TellsWhenACountOfPacketsIsPending)
{
    struct Case {
        const char* name;
        std::uint64_t bitrate;
        std::int64_t nowMs;
        std::uint64_t takenFirst;
        std::uint64_t count;
        std::uint64_t pending;
        std::int64_t msUntil;
    };
    const Case cases[] = {
        // 1000 packets per second: packet n is complete at n ms.
        {"nothing due at the start", 1'504'000, 0, 0, 348, 0, 348},
        {"part of a sample due", 1'504'000, 100, 0, 348, 100, 248},
        {"a whole sample due", 1'504'000, 400, 0, 348, 400, 0},
        {"taken packets no longer pending", 1'504'000, 400, 300, 348, 100, 248},
        {"rounded up to the next millisecond", 1'000'000, 0, 0, 1, 0, 2},
        {"no packets asked for", 1'504'000, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PacketPacer pacer(c.bitrate, 0);
        EXPECT_EQ(pacer.Take(c.nowMs, c.takenFirst), c.takenFirst);
        EXPECT_EQ(pacer.Pending(c.nowMs), c.pending);
        EXPECT_EQ(pacer.MsUntilPending(c.nowMs, c.count), c.msUntil);
        EXPECT_GE(pacer.Pending(c.nowMs + c.msUntil), c.count);
    }
}

} // namespace
