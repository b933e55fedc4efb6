#include "sim/tuner/TsGenerator.h"

#include "sim/tuner/Crc32Mpeg.h"
#include "sim/tuner/PacketPacer.h"
#include "sim/tuner/UsefulBitrate.h"
#include "tests/sim/tuner/ManualClock.h"
#include "tests/sim/tuner/TestSky.h"
#include "tests/sim/tuner/TsPacketCheck.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <vector>

using namespace sim;

namespace {

TsStreamConfig Config(double bitrate, std::vector<std::string> services)
{
    TsStreamConfig config;
    config.bitrate = static_cast<std::uint64_t>(bitrate);
    config.transportStreamId = 1019;
    config.originalNetworkId = 1;
    config.provider = "Astra 1 (19.2E)";
    config.services = std::move(services);
    return config;
}

TEST(TsGenerator, WholePacketsOnlyAndUnbrokenContinuity)
{
    TsGenerator generator(Config(5'000'000, {"One", "Two", "Three"}));
    PacketCheck check;
    std::vector<std::uint8_t> buffer(188 * 100 + 50, 0xAA);
    for (int round = 0; round < 200; ++round) {
        const std::size_t written = generator.Generate(buffer.data(), buffer.size());
        ASSERT_EQ(written, 188u * 100);
        EXPECT_EQ(buffer[written], 0xAA) << "nothing past the last whole packet";
        for (std::size_t i = 0; i < written; i += 188) check.Feed(&buffer[i]);
    }
    EXPECT_EQ(generator.Generate(buffer.data(), 187), 0u);
    EXPECT_EQ(check.syncErrors, 0u);
    EXPECT_EQ(check.continuityErrors, 0u);
    EXPECT_EQ(check.badCrc, 0u);
    EXPECT_EQ(check.tables, (std::set<int>{0x00, 0x02, 0x42}));
    for (int pid : {0x0000, 0x0011, 0x1000, 0x1001, 0x1002, 0x0100, 0x0101, 0x0102, 0x1FFF}) {
        EXPECT_GT(check.perPid[pid], 0u) << "PID " << pid;
    }
    // 30 ms at 5 Mbit/s is about 100 packets.
    EXPECT_GT(check.pcrCount, 0u);
    EXPECT_LE(check.maxPcrGapPackets, 110u);
}

#ifndef _WIN32
// ffprobe, run by the POSIX shell, reads the stream as an outside decoder; the
// Linux build has both.
std::string RunFfprobe(const std::string& file)
{
    const std::string command =
        "ffprobe -v error -show_entries program_tags=service_name:format=bit_rate -of default=noprint_wrappers=1 '" +
        file + "' 2>&1; echo exit=$?";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return {};
    std::string out;
    std::array<char, 512> chunk{};
    while (std::fgets(chunk.data(), chunk.size(), pipe.get())) out += chunk.data();
    return out;
}
#endif

TEST(TsGenerator, TenSecondsPacedAtTheTransponderRateAreAValidStream)
{
    // 12187 H DVB-S QPSK 3/4 at 27500 kS/s: 38.01 Mbit/s.
    const Satellite astra = SatelliteFrom(kAstraFile);
    const Transponder& transponder = astra.transponders[1];
    const double bitrate = UsefulBitrate(transponder);
    ASSERT_NEAR(bitrate, 38'014'705.9, 1.0);

    TempDir dir;
    const auto file = dir / "ten-seconds.ts";
    {
        std::ofstream out(file, std::ios::binary);
        TsGenerator generator(Config(bitrate, transponder.services));
        ManualClock clock;
        PacketPacer pacer(static_cast<std::uint64_t>(bitrate), clock.NowMs());
        std::vector<std::uint8_t> buffer(188 * 400);
        PacketCheck check;
        for (int tick = 0; tick < 1000; ++tick) { // 10 ms each
            clock.Advance(10);
            std::uint64_t due = pacer.Take(clock.NowMs(), 400);
            const std::size_t bytes = generator.Generate(buffer.data(), due * 188);
            for (std::size_t i = 0; i < bytes; i += 188) check.Feed(&buffer[i]);
            out.write(reinterpret_cast<const char*>(buffer.data()), static_cast<std::streamsize>(bytes));
        }
        const double expected = bitrate * 10.0 / (188 * 8);
        EXPECT_NEAR(static_cast<double>(check.packets), expected, expected * 0.01);
        EXPECT_EQ(check.continuityErrors, 0u);
        EXPECT_EQ(check.syncErrors, 0u);
    }

#ifndef _WIN32
    const std::string report = RunFfprobe(file.string());
    EXPECT_NE(report.find("exit=0"), std::string::npos) << report;
    EXPECT_NE(report.find("service_name=Das Erste"), std::string::npos) << report;
    EXPECT_NE(report.find("service_name=ZDF"), std::string::npos) << report;
    // ffprobe measures the rate from the stream's own clock.
    const auto at = report.find("bit_rate=");
    ASSERT_NE(at, std::string::npos) << report;
    const double measured = std::stod(report.substr(at + 9));
    EXPECT_NEAR(measured, bitrate, bitrate * 0.01) << report;
#endif
}

TEST(TsGenerator, LongServiceListsStayWithinOneSection)
{
    std::vector<std::string> names;
    for (int i = 0; i < 20; ++i) names.push_back(std::string(100, static_cast<char>('A' + i)));
    TsGenerator generator(Config(2'000'000, names));
    std::vector<std::uint8_t> buffer(188 * 2000);
    generator.Generate(buffer.data(), buffer.size());
    PacketCheck check;
    for (std::size_t i = 0; i < buffer.size(); i += 188) check.Feed(&buffer[i]);
    EXPECT_EQ(check.continuityErrors, 0u);
    EXPECT_GT(check.perPid[0x1007], 0u);
    EXPECT_EQ(check.perPid.count(0x1008), 0u) << "at most 8 services";
}

} // namespace

namespace {

TEST(TsGenerator, ElementaryStreamDataCountsOnFromPacketToPacket)
{
    // The data bytes after each PES header count up modulo 256 across every
    // elementary stream packet, those with a PCR included.
    TsGenerator generator(Config(160'000'000, {"One", "Two"}));
    std::vector<std::uint8_t> buffer(188 * 348);
    int expected = -1;
    std::size_t esPackets = 0;
    for (int round = 0; round < 20; ++round) {
        ASSERT_EQ(generator.Generate(buffer.data(), buffer.size()), buffer.size());
        for (std::size_t at = 0; at < buffer.size(); at += 188) {
            const std::uint8_t* p = &buffer[at];
            const int pid = ((p[1] & 0x1F) << 8) | p[2];
            if (pid != 0x100 && pid != 0x101) continue;
            const std::size_t adaptation = (p[3] & 0x20) ? 1u + p[4] : 0u;
            const std::size_t data = 4 + adaptation + 14;
            ASSERT_LT(data, 188u);
            for (std::size_t i = data; i < 188; ++i) {
                if (expected >= 0) {
                    ASSERT_EQ(expected, p[i]) << "packet at " << at << ", byte " << i;
                }
                expected = (p[i] + 1) & 0xFF;
            }
            ++esPackets;
        }
    }
    EXPECT_GT(esPackets, 188u * 348 * 20 / 188 / 2);
}

} // namespace
