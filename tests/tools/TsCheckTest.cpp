#include "tools/tscheck/TsCheck.h"

#include "sim/tuner/TsGenerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Two seconds of the simulator's stream: tables, PCR-carrying streams, null packets.
std::string Stream(std::uint64_t bitrate, std::vector<std::string> services)
{
    sim::TsStreamConfig config;
    config.bitrate = bitrate;
    config.provider = "Test";
    config.services = std::move(services);
    sim::TsGenerator generator(config);
    const std::size_t packets = static_cast<std::size_t>(bitrate * 2 / (188 * 8));
    std::string bytes(packets * 188, '\0');
    generator.Generate(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
    return bytes;
}

TEST(TsCheckTest, ASoundStreamShowsItsServicesAndItsRate)
{
    const std::string bytes = Stream(38'000'000, {"Das Erste", "arte"});
    const TsCheckResult r = CheckTransportStream(bytes);
    EXPECT_TRUE(r.Sound());
    EXPECT_EQ(bytes.size() / 188, r.packets);
    EXPECT_EQ(0u, r.continuityErrors);
    ASSERT_EQ(2u, r.services.size());
    EXPECT_EQ(1, r.services[0].id);
    EXPECT_EQ("Das Erste", r.services[0].name);
    EXPECT_EQ("arte", r.services[1].name);
    // The clock gives the rate the stream was made at, within a PCR interval's worth.
    EXPECT_NEAR(38.0, r.bitrate / 1e6, 0.1);
    const std::string text = DescribeCheck(r);
    EXPECT_NE(std::string::npos, text.find("continuity: unbroken\n")) << text;
    EXPECT_NE(std::string::npos, text.find("services: 2 (1 \"Das Erste\", 2 \"arte\")\n")) << text;
}

TEST(TsCheckTest, FaultsAreCountedWhereTheyAre)
{
    const std::string sound = Stream(5'000'000, {"One"});
    struct Case {
        const char* name;
        std::string bytes;
        bool sound;
        std::uint64_t syncLosses, continuityErrors, partialBytes;
    };
    std::string lostPacket = sound;
    // A packet of the elementary stream taken out breaks its PID's counter.
    std::size_t at = 0;
    for (; at < lostPacket.size(); at += 188) {
        if (((lostPacket[at + 1] & 0x1F) << 8 | static_cast<unsigned char>(lostPacket[at + 2])) == 0x100) break;
    }
    std::size_t second = at + 188;
    while (((lostPacket[second + 1] & 0x1F) << 8 | static_cast<unsigned char>(lostPacket[second + 2])) != 0x100) {
        second += 188;
    }
    lostPacket.erase(second, 188);
    std::string noSync = sound;
    noSync[188 * 3] = 0x00;
    const Case cases[] = {
        {"sound", sound, true, 0, 0, 0},
        {"a packet lost", lostPacket, false, 0, 1, 0},
        {"a sync byte damaged", noSync, false, 1, 0, 0},
        {"cut inside the last packet", sound.substr(0, sound.size() - 100), false, 0, 0, 88},
        {"empty", std::string(), false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TsCheckResult r = CheckTransportStream(c.bytes);
        EXPECT_EQ(c.sound, r.Sound());
        EXPECT_EQ(c.syncLosses, r.syncLosses);
        EXPECT_EQ(c.continuityErrors, r.continuityErrors);
        EXPECT_EQ(c.partialBytes, r.partialBytes);
    }
    const std::string none = DescribeCheck(CheckTransportStream(""));
    EXPECT_NE(std::string::npos, none.find("services: none")) << none;
    EXPECT_NE(std::string::npos, none.find("rate: unknown")) << none;
}

} // namespace
