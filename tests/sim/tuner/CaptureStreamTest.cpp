// What the capture card hands out and when, on a clock the test moves: full
// samples, short ones for a slow stream, the move to another transponder and
// back, and a stop. Overruns are checked on the installed machine.
#include "sim/tuner/CaptureStream.h"

#include "tests/sim/tuner/TestSky.h"

#include <gtest/gtest.h>

#include <vector>

using namespace sim;

namespace {

LockedStream Locked(int transponder, double bitrate, OutputFormat output = OutputFormat::TransportStream)
{
    const Sky sky = TestSky();
    LockedStream stream;
    stream.transponder = sky.Satellites()[0].transponders[static_cast<std::size_t>(transponder)];
    stream.satelliteName = sky.Satellites()[0].name;
    stream.output = output;
    stream.bitrate = bitrate;
    return stream;
}

// Delivers what the stream plans at nowMs until it says wait; returns the
// sizes of the samples in packets.
std::vector<std::uint64_t> DrainAt(CaptureStream& stream, const std::optional<LockedStream>& locked, std::int64_t nowMs,
                                   std::vector<bool>* discontinuities = nullptr, int* announced = nullptr)
{
    std::vector<std::uint64_t> samples;
    std::vector<std::uint8_t> buffer(CaptureStream::kSampleBytes);
    for (;;) {
        const auto step = stream.Plan(locked, nowMs);
        if (announced && step.newStream) ++*announced;
        if (step.packets == 0) return samples;
        if (discontinuities) discontinuities->push_back(stream.Discontinuity());
        const std::size_t bytes = stream.Fill(buffer.data(), buffer.size());
        EXPECT_EQ(bytes, step.packets * kTsPacketSize);
        samples.push_back(step.packets);
    }
}

std::uint64_t Sum(const std::vector<std::uint64_t>& samples)
{
    std::uint64_t total = 0;
    for (auto s : samples) total += s;
    return total;
}

TEST(CaptureStream, WholeSamplesWhileFastShortOnesWhenPacketsWaitTooLong)
{
    struct Case {
        const char* name;
        double bitrate;
        std::int64_t atMs;
        std::vector<std::uint64_t> samples;
        std::int64_t waitMs; // what Plan asks for afterwards
    };
    const Case cases[] = {
        // 1504 bits per packet: 1 504 000 bit/s is a packet per millisecond.
        // The wait ends when a sample is whole or the oldest packet has
        // waited 100 ms, whichever comes first.
        {"not yet a whole sample, nothing waited long", 1'504'000, 99, {}, 2},
        {"a packet waited 100 ms: a short sample", 1'504'000, 101, {101}, 101},
        {"whole samples first, the rest waits", 15'040'000, 70, {348, 348}, 35},
        {"a whole sample, then what waited too long", 1'504'000, 600, {348, 252}, 101},
        {"a slow stream sends what it has", 150'400, 350, {35}, 110},
        {"nothing due yet", 150'400, 5, {}, 105},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CaptureStream stream;
        const LockedStream locked = Locked(1, c.bitrate);
        EXPECT_TRUE(stream.Plan(locked, 0).newStream.has_value());
        EXPECT_EQ(DrainAt(stream, locked, c.atMs), c.samples);
        const auto next = stream.Plan(locked, c.atMs);
        EXPECT_EQ(next.packets, 0u);
        EXPECT_EQ(next.waitMs, c.waitMs);
        EXPECT_FALSE(next.newStream.has_value()) << "a stream starts once";
    }
}

TEST(CaptureStream, FollowsTheDemodulatorFromStreamToStream)
{
    // The multistream transponder, its stream 3.
    LockedStream first = Locked(3, 1'504'000);
    first.inputStreamId = 3;
    LockedStream otherStream = first;
    otherStream.inputStreamId = 5;
    LockedStream generic = first;
    generic.output = OutputFormat::GenericStream;
    struct Case {
        const char* name;
        std::optional<LockedStream> next;
        bool newStream;          // the next stream announces itself
        bool continuesNumbering; // the packets go on where the first stream stopped
    };
    const Case cases[] = {
        {"the same transponder again", first, false, true},
        {"unlocked, then the same transponder", std::nullopt, true, true},
        {"another transponder", Locked(1, 1'504'000), true, false},
        {"another input stream", otherStream, true, false},
        {"the same stream through the generic output", generic, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CaptureStream stream;
        stream.Plan(first, 0);
        EXPECT_EQ(Sum(DrainAt(stream, first, 400)), 348u);
        // The demodulator moves at 440 ms: the 92 packets that arrived
        // until then still go out, as one short sample, before anything new.
        int announced = 0;
        const auto rest = DrainAt(stream, c.next, 440, nullptr, &announced);
        EXPECT_EQ(rest, (c.newStream ? std::vector<std::uint64_t>{92} : std::vector<std::uint64_t>{}));
        std::optional<LockedStream> now = c.next;
        if (!now) {
            EXPECT_EQ(stream.Plan(std::nullopt, 500).waitMs, CaptureStream::kIdleWaitMs);
            now = first;
            DrainAt(stream, now, 500, nullptr, &announced);
        }
        EXPECT_EQ(announced, c.newStream ? 1 : 0);
        EXPECT_EQ(stream.NextPacket() != 0, c.continuesNumbering);
        std::vector<bool> marks;
        DrainAt(stream, now, 1000, &marks);
        ASSERT_FALSE(marks.empty());
        EXPECT_EQ(marks.front(), c.newStream) << "a gap or a new stream is marked";
    }
}

TEST(CaptureStream, AHaltDropsWhatWaitsAndTimeStoppedDoesNotCount)
{
    CaptureStream stream;
    const LockedStream locked = Locked(1, 1'504'000);
    stream.Plan(locked, 0);
    EXPECT_EQ(Sum(DrainAt(stream, locked, 400)), 348u);
    stream.Halt();
    EXPECT_EQ(stream.TakeLostPackets(), 0u) << "a stop is no overrun";
    const std::uint64_t next = stream.NextPacket();
    // Run again 10 s later: the stream counts from then, and says so.
    EXPECT_TRUE(stream.Plan(locked, 10'000).newStream.has_value());
    EXPECT_EQ(Sum(DrainAt(stream, locked, 10'350)), 348u);
    EXPECT_EQ(stream.NextPacket(), next + 348);
    EXPECT_EQ(stream.TakeLostPackets(), 0u);
}

TEST(CaptureStream, SmallerBuffersGiveShorterSamples)
{
    CaptureStream stream(100);
    const LockedStream locked = Locked(1, 1'504'000);
    stream.Plan(locked, 0);
    EXPECT_EQ(DrainAt(stream, locked, 250), (std::vector<std::uint64_t>{100, 100}));
    std::vector<std::uint8_t> small(5 * kTsPacketSize + 10);
    ASSERT_EQ(stream.Plan(locked, 400).packets, 100u);
    EXPECT_EQ(stream.Fill(small.data(), small.size()), 5 * kTsPacketSize) << "never more than the buffer holds";
}

} // namespace
